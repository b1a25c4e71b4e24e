#include "game/DisplayCheck.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

namespace {

// The platforms tried in their order. With none named, Qt's own choice: Wayland first
// where a Wayland session is announced, X in any case.
QStringList platformsTried(const DisplayEnvironment &e) {
    if (!e.platform.isEmpty()) return e.platform.split(u';', Qt::SkipEmptyParts);
    if (!e.waylandDisplay.isEmpty() || e.waylandSession)
        return {QStringLiteral("wayland"), QStringLiteral("xcb")};
    return {QStringLiteral("xcb")};
}

constexpr int XAttempts = 3; // a server that is starting over takes a moment
constexpr int XRetryMs = 100;

// Opens the X display as Qt's X platform will open it: with the same library, so that a
// refused authorisation counts as well.
QString xProblem(const QString &display, HeldDisplay *held) {
    if (display.isEmpty()) return QStringLiteral("no X display is set (DISPLAY)");
    for (int attempt = 1;; ++attempt) {
        int screen = 0;
        xcb_connection_t *connection = xcb_connect(QFile::encodeName(display).constData(), &screen);
        if (xcb_connection_has_error(connection) == 0) {
            held ? held->hold(connection) : xcb_disconnect(connection);
            return {};
        }
        xcb_disconnect(connection);
        if (attempt == XAttempts) return QStringLiteral("cannot open the display \"%1\"").arg(display);
        ::usleep(XRetryMs * 1000);
    }
}

// Connects to the compositor's socket, where the Wayland library connects. A socket
// that does not accept at once (a compositor too busy to take connections) still counts
// as there: Qt waits for it, as it would for any display.
QString waylandProblem(const DisplayEnvironment &e) {
    if (e.waylandSocketGiven) return {};
    const QString name = e.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : e.waylandDisplay;
    if (!QDir::isAbsolutePath(name) && e.runtimeFolder.isEmpty())
        return QStringLiteral("cannot reach the Wayland display \"%1\": XDG_RUNTIME_DIR is not set")
            .arg(name);
    const QString path = QDir::isAbsolutePath(name) ? name : e.runtimeFolder + u'/' + name;
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    int error = ENAMETOOLONG;
    if (size_t(native.size()) < sizeof address.sun_path) {
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const bool reached =
            socket >= 0 && (::connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 ||
                            errno == EAGAIN);
        error = errno;
        if (socket >= 0) ::close(socket);
        if (reached) return {};
    }
    return QStringLiteral("cannot reach the Wayland display \"%1\" (%2)")
        .arg(path, QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

DisplayEnvironment displayEnvironment(int argc, char **argv) {
    DisplayEnvironment e;
    e.platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    e.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    e.xDisplay = qEnvironmentVariable("DISPLAY");
    e.runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    e.waylandSession = qgetenv("XDG_SESSION_TYPE") == "wayland";
    e.waylandSocketGiven = qEnvironmentVariableIsSet("WAYLAND_SOCKET");
    // Qt takes these two from the command line before the environment.
    for (int i = 1; i + 1 < argc; ++i) {
        QByteArray option(argv[i]);
        if (option.startsWith("--")) option.remove(0, 1);
        if (option == "-platform") e.platform = QString::fromLocal8Bit(argv[i + 1]);
        if (option == "-display") e.xDisplay = QString::fromLocal8Bit(argv[i + 1]);
    }
    return e;
}

void HeldDisplay::hold(xcb_connection_t *connection) {
    release();
    m_connection = connection;
}

void HeldDisplay::release() {
    if (m_connection) xcb_disconnect(std::exchange(m_connection, nullptr));
}

QString unreachableDisplay(const DisplayEnvironment &e, HeldDisplay *held) {
    QStringList problems;
    for (const QString &entry : platformsTried(e)) {
        const QString platform = entry.section(u':', 0, 0); // arguments follow a colon
        QString problem;
        if (platform == QLatin1String("xcb"))
            problem = xProblem(e.xDisplay, held);
        else if (platform.startsWith(QLatin1String("wayland")))
            problem = waylandProblem(e);
        if (problem.isEmpty()) return {};
        problems << problem;
    }
    if (e.platform.isEmpty() && e.waylandDisplay.isEmpty() && e.xDisplay.isEmpty())
        return QStringLiteral("neither a Wayland nor an X display is set (WAYLAND_DISPLAY, DISPLAY)");
    problems.removeDuplicates();
    return problems.join(QStringLiteral(" and "));
}
