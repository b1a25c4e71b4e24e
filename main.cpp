#include "game/ErrorHandler.h"
#include "game/SessionEnd.h"
#include "game/Startup.h"

int main(int argc, char *argv[]) {
    // Wayland compositors find the menu entry, and so the game's name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARIN_APP_ID));
    Application app(argc, argv);
    GameState state;
    Game game(state);
    endOnSignals(game.form1());
    game.start();
    return app.exec();
}
