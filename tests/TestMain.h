#pragma once

// Runs a QtTest class of the windows in the game's own application, on the offscreen
// platform, with a fresh, empty settings location (see CoreTestMain.h).

#include "CoreTestMain.h"
#include "game/ErrorHandler.h"

#define TESSARIN_TEST_MAIN(TestClass) TESSARIN_TEST_MAIN_WITH(Application, TestClass)
