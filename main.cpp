#include "board/CuePlayer.h"
#include "game/DisplayCheck.h"
#include "game/ErrorHandler.h"
#include "game/Game.h"
#include "game/GameLock.h"
#include "game/SessionEnd.h"
#include "settings/StorePlace.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char *argv[]) {
    // Without a display Qt would abort, leaving a core file and sending the player to
    // reinstall it.
    HeldDisplay checkedDisplay;
    if (const QString problem = unreachableDisplay(displayEnvironment(argc, argv), &checkedDisplay);
        !problem.isEmpty()) {
        std::fprintf(stderr, "tessarin: %s\n", qPrintable(problem));
        return 1;
    }
    // A second game playing from the same store would overwrite this one's progress at its end.
    GameLock lock(storeFile(), privateRuntimeFolder());
    if (lock.claim() == GameLock::Claim::HeldByAnother) return handOverToRunningGame(lock);

    // Wayland compositors find the menu entry, and so the game's name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARIN_APP_ID));
    CuePlayer::leaveVideoHardwareAlone();
    Application app(argc, argv);
    checkedDisplay.release(); // Qt holds the display now
    int status = 0;
    {
        GameState state;
        Game game(state);
        lock.answerLaterStarts(&game.form1(), [&game](const QByteArray &token) { game.comeToFront(token); });
        endOnSignals(game.form1());
        game.start();
        status = app.exec();
    } // the windows are gone, the settings written
    // Nothing is left to do. Qt 6.4's PulseAudio back end now and then aborts while the
    // application is torn down after a cue, and a sound thread still caught in a server
    // that stopped answering holds locks the libraries' exit handlers would wait on, so
    // the run ends here, with what it returned.
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // What exit would have checked, unless a sound thread caught in a server that stopped
    // answering still holds the sound system's memory.
    if (CuePlayer::leftThreadsEnded()) __lsan_do_leak_check();
#endif
    std::_Exit(status);
}
