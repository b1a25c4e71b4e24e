#include "game/ErrorHandler.h"
#include "game/Startup.h"

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    GameState state;
    Game game(state, Game::Start::FirstFrameFirst);
    game.form1().showFullScreen();
    return app.exec();
}
