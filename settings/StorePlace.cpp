#include "settings/StorePlace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What stands at `path` when it is not a regular file.
QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    return QStringLiteral("not a file");
}

// Why there is no usable file at `path` (links followed), or an empty text when there
// is one or nothing at all. The message already names the store, so the store itself is
// "it".
QString notRegularReason(const QString &path, const QString &store) {
    struct stat info {};
    if (::stat(native(path).constData(), &info) != 0 || S_ISREG(info.st_mode)) return {};
    const QString subject = path == store ? QStringLiteral("it") : u'"' + path + u'"';
    return QStringLiteral("%1 is %2, not a regular file").arg(subject, kindOf(info.st_mode));
}

QString cannotCreate(const QString &folder, int error) {
    return QStringLiteral("the folder \"%1\" cannot be created (%2)").arg(folder, systemReason(error));
}

// Makes the folder and every missing folder above it, or says why it cannot.
QString makeFolder(const QString &folder) {
    struct stat info {};
    if (::stat(native(folder).constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return {};
        return QStringLiteral("\"%1\" is a file, not a folder").arg(folder);
    }
    const QString parent = QFileInfo(folder).path();
    if (parent != folder) {
        const QString reason = makeFolder(parent);
        if (!reason.isEmpty()) return reason;
    }
    if (::mkdir(native(folder).constData(), 0700) == 0 || errno == EEXIST) return {};
    return cannotCreate(folder, errno);
}

// Why the store cannot be written at `path`, whose folder exists.
QString reasonInFolder(const QString &path) {
    QString reason = notRegularReason(path, path);
    // The store is written under a lock file beside it, which must not block either.
    if (reason.isEmpty()) reason = notRegularReason(path + QStringLiteral(".lock"), path);
    if (!reason.isEmpty()) return reason;
    const QByteArray file = native(path);
    if (::access(file.constData(), F_OK) == 0) {
        // Values that cannot be read cannot be kept beside the new ones: nothing is
        // written over them.
        if (::access(file.constData(), R_OK) != 0) return QStringLiteral("the file cannot be read");
        if (::access(file.constData(), W_OK) != 0) return QStringLiteral("the file is read-only");
    }
    // The file is replaced by a new one made beside it.
    if (::access(native(QFileInfo(path).path()).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("its folder is read-only");
    return {};
}

// Whether the file system holding `folder` has no block, or no file, left for the player.
bool noRoomIn(const QString &folder) {
    struct statvfs space {};
    if (::statvfs(native(folder).constData(), &space) != 0) return false;
    return space.f_bavail == 0 || (space.f_files != 0 && space.f_favail == 0);
}

} // namespace

QString configHome() {
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(home)) return QDir::cleanPath(home);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString storeFile() {
    return configHome() + QStringLiteral("/Orv/Tessarin.conf");
}

bool safeToRead(const QString &path) {
    return notRegularReason(path, path).isEmpty();
}

QString unwritableReason(const QString &path) {
    const QString reason = makeFolder(QFileInfo(path).path());
    return reason.isEmpty() ? reasonInFolder(path) : reason;
}

QString foreseenUnwritableReason(const QString &path) {
    // The nearest folder on the path that exists, and below it the first one that the end
    // of the run would have to make, with what the system said about it.
    QString folder = QFileInfo(path).path(), missing;
    int missingError = 0;
    struct stat info {};
    while (::stat(native(folder).constData(), &info) != 0) {
        missing = folder;
        missingError = errno;
        const QString parent = QFileInfo(folder).path();
        if (parent == folder) return cannotCreate(missing, missingError);
        folder = parent;
    }
    if (!S_ISDIR(info.st_mode)) return QStringLiteral("\"%1\" is a file, not a folder").arg(folder);
    if (missing.isEmpty()) {
        if (const QString reason = reasonInFolder(path); !reason.isEmpty()) return reason;
    } else {
        // A name the file system refuses, or a folder that cannot take a new one.
        if (missingError != ENOENT && missingError != ENOTDIR) return cannotCreate(missing, missingError);
        if (::access(native(folder).constData(), W_OK | X_OK) != 0) return cannotCreate(missing, errno);
    }
    return noRoomIn(folder) ? QStringLiteral("the disk is full") : QString();
}

QString failedWriteReason(const QString &path) {
    QTemporaryFile scratch(QFileInfo(path).path() + QStringLiteral("/.Tessarin-XXXXXX"));
    if (scratch.open()) {
        // A few blocks, since a nearly full disk may still take a byte or two.
        const QByteArray blocks(64 * 1024, 'x');
        if (scratch.write(blocks) == blocks.size() && scratch.flush())
            return QStringLiteral("the file could not be written");
    }
    if (scratch.error() == QFileDevice::ResourceError) return QStringLiteral("the disk is full");
    return QStringLiteral("the file could not be written (%1)").arg(scratch.errorString());
}
