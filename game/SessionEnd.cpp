#include "game/SessionEnd.h"

#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int wakeFds[2] = {-1, -1}; // the handler writes into [0]; the event loop reads [1]

// When the event loop was woken and has not answered yet (seconds on the monotonic
// clock, 0 when nothing waits). Senders often repeat a signal at once (timeout and
// systemd send it to the process and to its group): a repeat within this grace is
// the same request; one after it finds a game that no longer answers.
volatile sig_atomic_t unansweredSince = 0;
constexpr int AnswerGrace = 3;

long monotonicSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return long(now.tv_sec) + 1; // never 0
}

extern "C" void wakeEventLoop(int signal) {
    const int savedErrno = errno;
    const long now = monotonicSeconds();
    if (unansweredSince != 0 && now - unansweredSince >= AnswerGrace) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
    if (unansweredSince == 0) unansweredSince = sig_atomic_t(now);
    const char byte = char(signal);
    [[maybe_unused]] const auto written = ::write(wakeFds[0], &byte, 1);
    errno = savedErrno;
}

std::function<void()> &abruptExitWork() {
    static std::function<void()> work;
    return work;
}

extern "C" void runAbruptExitWork() {
    if (auto work = std::exchange(abruptExitWork(), nullptr)) work();
}

} // namespace

void endOnSignals(QWidget &mainWindow) {
    if (wakeFds[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeFds) != 0) return;
    auto *notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, &mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, &mainWindow,
                     [window = QPointer<QWidget>(&mainWindow)] {
                         char bytes[16];
                         while (::read(wakeFds[1], bytes, sizeof bytes) > 0) {
                         }
                         unansweredSince = 0;
                         // Closing the main window leaves every event loop, a modal
                         // dialog's or message box's included.
                         if (window) window->close();
                     });
    struct sigaction action {};
    action.sa_handler = wakeEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        // A signal ignored from the start stays ignored: nohup's SIGHUP, a background
        // job's SIGINT.
        struct sigaction inherited {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN &&
            signal != SIGTERM)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

void onAbruptExit(std::function<void()> work) {
    abruptExitWork() = std::move(work);
    // Registered after the work's holder exists, so that it runs before the holder goes.
    static const bool registered = std::atexit(runAbruptExitWork) == 0;
    Q_UNUSED(registered);
}
