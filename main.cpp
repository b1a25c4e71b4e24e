#include "game/ErrorHandler.h"
#include "game/SessionEnd.h"
#include "game/Startup.h"

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    GameState state;
    Game game(state, Game::Start::FirstFrameFirst);
    endOnSignals(game.form1());
    game.form1().show();
    return app.exec();
}
