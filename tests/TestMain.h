#pragma once

// Runs a QtTest class of the windows in the game's own application, on the offscreen
// platform, with a fresh, empty settings location (see CoreTestMain.h).

#include "CoreTestMain.h"
#include "game/ErrorHandler.h"
#include "game/Game.h"

// Starts the game the way the program does, and waits for what follows the main window's
// first frame: the dialogs and the framing pictures.
inline void startGame(Game &game) {
    game.start();
    if (!QTest::qWaitFor([&] { return game.started(); })) qFatal("The main window's first frame never came.");
}

#define TESSARIN_TEST_MAIN(TestClass) TESSARIN_TEST_MAIN_WITH(Application, TestClass)
