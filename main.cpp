#include "board/SoundCue.h"
#include "game/ErrorHandler.h"
#include "game/SessionEnd.h"
#include "game/Startup.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char *argv[]) {
    // Wayland compositors find the menu entry, and so the game's name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARIN_APP_ID));
    SoundCue::leaveVideoHardwareAlone();
    Application app(argc, argv);
    int status = 0;
    {
        GameState state;
        Game game(state);
        endOnSignals(game.form1());
        game.start();
        status = app.exec();
    } // the windows are gone, the settings written
    // Nothing is left to do. Qt 6.4's PulseAudio back end now and then aborts while the
    // application is torn down after a cue, so the run ends here, with what it returned.
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check(); // what exit would have checked
#endif
    std::_Exit(status);
}
