#include "game/GameLock.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int RequestTimeoutMs = 1000; // a later start that sends nothing is dropped after this
constexpr int AskTimeoutMs = 1000;     // how long a later start waits for the running game
constexpr int RetryMs = 50;            // between connection attempts of a later start
constexpr qsizetype LongestRequest = 4096;

// The store's place as the file system knows it, so that two spellings of one folder
// give one mark.
QString storeIdentity(const QString &storeFile) {
    const QFileInfo file(storeFile);
    const QString folder = QFileInfo(file.path()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : folder + u'/' + file.fileName();
}

bool socketAddress(const QByteArray &path, sockaddr_un &address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// A folder that only its owner, this user, can reach.
bool isPrivateFolder(const QString &path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// One later start's request: a line holding the launcher's activation token, answered
// with "ok" once the game has been asked to the front.
class Request : public QObject {
public:
    Request(int connection, QObject *parent, const std::function<void(const QByteArray &)> &comeToFront)
        : QObject(parent), m_connection(connection), m_comeToFront(comeToFront),
          m_notifier(new QSocketNotifier(connection, QSocketNotifier::Read, this)) {
        connect(m_notifier, &QSocketNotifier::activated, this, &Request::readSome);
        QTimer::singleShot(RequestTimeoutMs, this, &Request::end);
    }
    ~Request() override {
        delete m_notifier;
        ::close(m_connection);
    }

private:
    void readSome() {
        char bytes[256];
        ssize_t got = 0;
        while ((got = ::read(m_connection, bytes, sizeof bytes)) > 0)
            m_request.append(bytes, got);
        const qsizetype lineEnd = m_request.indexOf('\n');
        if (lineEnd < 0 && got < 0 && errno == EAGAIN && m_request.size() < LongestRequest) return;
        end();
        if (lineEnd < 0) return;
        [[maybe_unused]] const auto written = ::send(m_connection, "ok\n", 3, MSG_NOSIGNAL);
        m_comeToFront(m_request.left(lineEnd));
    }
    void end() {
        m_notifier->setEnabled(false);
        deleteLater();
    }

    int m_connection;
    std::function<void(const QByteArray &)> m_comeToFront;
    QSocketNotifier *m_notifier;
    QByteArray m_request;
};

} // namespace

GameLock::GameLock(const QString &storeFile, const QString &folder) {
    if (folder.isEmpty()) return;
    const QByteArray key =
        QCryptographicHash::hash(storeIdentity(storeFile).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QByteArray base = QFile::encodeName(folder) + "/tessarin-" + key;
    m_lockPath = base + ".lock";
    m_socketPath = base + ".socket";
}

GameLock::~GameLock() {
    delete m_listener;
    if (m_listenFd >= 0) ::close(m_listenFd), ::unlink(m_socketPath.constData());
    if (m_lockFd >= 0) ::close(m_lockFd);
}

GameLock::Claim GameLock::claim() {
    if (m_lockPath.isEmpty()) return Claim::Unavailable;
    // Close-on-exec: a program the game starts (a viewer for the readme) must not keep the
    // mark after the game has ended.
    m_lockFd = ::open(m_lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lockFd < 0) return Claim::Unavailable;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(m_lockFd);
        m_lockFd = -1;
        return held ? Claim::HeldByAnother : Claim::Unavailable;
    }
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    [[maybe_unused]] const bool written =
        ::ftruncate(m_lockFd, 0) == 0 &&
        ::pwrite(m_lockFd, pid.constData(), size_t(pid.size()), 0) == pid.size();

    // Under the lock nobody else listens: a socket left by a game that died is replaced.
    sockaddr_un address{};
    if (!socketAddress(m_socketPath, address)) return Claim::Taken;
    ::unlink(m_socketPath.constData());
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listenFd >= 0 && (::bind(m_listenFd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
                            ::listen(m_listenFd, 8) != 0)) {
        ::close(m_listenFd);
        m_listenFd = -1;
    }
    return Claim::Taken;
}

bool GameLock::askToComeToFront(const QByteArray &token, int timeoutMs) const {
    sockaddr_un address{};
    if (!socketAddress(m_socketPath, address)) return false;
    const QDeadlineTimer deadline(timeoutMs);
    // The running game may have taken its lock and not yet opened its socket.
    for (;;) {
        const int connection = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (connection < 0) return false;
        if (::connect(connection, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
            const QByteArray request = token.left(LongestRequest - 1) + '\n';
            char answer[4] = {};
            pollfd readable{connection, POLLIN, 0};
            const bool answered = ::send(connection, request.constData(), size_t(request.size()),
                                         MSG_NOSIGNAL) == request.size() &&
                                  ::poll(&readable, 1, int(deadline.remainingTime())) == 1 &&
                                  ::read(connection, answer, 3) == 3 && std::strncmp(answer, "ok\n", 3) == 0;
            ::close(connection);
            return answered;
        }
        ::close(connection);
        if (deadline.remainingTime() < RetryMs) return false;
        ::usleep(RetryMs * 1000);
    }
}

long GameLock::holder() const {
    QFile file(QFile::decodeName(m_lockPath));
    return file.open(QIODevice::ReadOnly) ? file.readLine(32).trimmed().toLong() : 0;
}

void GameLock::answerLaterStarts(QObject *context, std::function<void(const QByteArray &token)> comeToFront) {
    if (m_listenFd < 0) return;
    m_listener = new QSocketNotifier(m_listenFd, QSocketNotifier::Read, context);
    QObject::connect(m_listener, &QSocketNotifier::activated, context, [this, context, comeToFront] {
        int connection = -1;
        while ((connection = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0)
            new Request(connection, context, comeToFront);
    });
}

QString privateRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime)) return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/tessarin-") + QString::number(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

int handOverToRunningGame(const GameLock &lock) {
    // Where the launcher handed this start a token, the compositor lets the running game
    // take the focus with it.
    if (lock.askToComeToFront(qgetenv("XDG_ACTIVATION_TOKEN"), AskTimeoutMs)) {
        std::fputs("tessarin: the game is already running; it was asked to come to the front\n", stderr);
    } else {
        const long holder = lock.holder();
        std::fprintf(stderr,
                     "tessarin: the game is already running%s but does not answer; this start ends so as not "
                     "to overwrite its progress\n",
                     holder > 0 ? qPrintable(QStringLiteral(" (process %1)").arg(holder)) : "");
    }
    return 0;
}
