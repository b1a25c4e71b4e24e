#include "board/WaveFile.h"

#include "game/GameError.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint16 PcmFormat = 1;
constexpr qint64 RiffHeaderSize = 12; // "RIFF", size, "WAVE"
constexpr qint64 ChunkHeaderSize = 8; // id, size
constexpr qint64 PcmFormatSize = 16;  // the fields every format chunk has

[[noreturn]] void cannotOpen(const QString &path, const QString &reason) {
    throw GameError(
        QStringLiteral("Cannot open the sound file \"%1\": %2.").arg(QDir::toNativeSeparators(path), reason));
}

quint16 word(const char *at) {
    return qFromLittleEndian<quint16>(at);
}
quint32 doubleWord(const char *at) {
    return qFromLittleEndian<quint32>(at);
}

// The format chunk's fields must describe PCM samples the player can hand on, and
// agree with one another.
WaveSound checkFormat(const QString &path, const char *format) {
    const quint16 tag = word(format);
    WaveSound sound;
    sound.channels = word(format + 2);
    sound.sampleRate = int(qMin<quint32>(doubleWord(format + 4), INT32_MAX));
    const quint32 byteRate = doubleWord(format + 8);
    const quint16 blockAlign = word(format + 12);
    sound.bitsPerSample = word(format + 14);
    if (tag != PcmFormat) cannotOpen(path, QStringLiteral("its sound is not PCM (format %1)").arg(tag));
    const int bits = sound.bitsPerSample;
    if (sound.channels == 0 || sound.sampleRate == 0 || (bits != 8 && bits != 16 && bits != 32))
        cannotOpen(path, QStringLiteral("its PCM sound cannot be played (%1 channels, %2 Hz, %3 bits)")
                             .arg(sound.channels)
                             .arg(sound.sampleRate)
                             .arg(bits));
    if (blockAlign != sound.bytesPerFrame() || byteRate != quint64(sound.sampleRate) * blockAlign)
        cannotOpen(path, QStringLiteral("its format fields disagree (block align %1, byte rate %2)")
                             .arg(blockAlign)
                             .arg(byteRate));
    return sound;
}

} // namespace

namespace {

WaveSound parseWave(const QString &path, const QByteArray &bytes) {
    const char *data = bytes.constData();
    const qint64 end = bytes.size();
    if (end < RiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        cannotOpen(path, QStringLiteral("it is not a WAV file"));
    if (ChunkHeaderSize + qint64(doubleWord(data + 4)) > end)
        cannotOpen(path, QStringLiteral("it is cut short"));

    // Chunks follow one another, each padded to an even length, and must lie inside the
    // file; the format comes before the sound data.
    WaveSound sound;
    bool formatFound = false;
    for (qint64 at = RiffHeaderSize; at + ChunkHeaderSize <= end;) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = doubleWord(data + at + 4);
        const qint64 body = at + ChunkHeaderSize;
        if (body + size > end) cannotOpen(path, QStringLiteral("it is cut short"));
        if (id == "fmt ") {
            if (size < PcmFormatSize) cannotOpen(path, QStringLiteral("its format chunk is cut short"));
            sound = checkFormat(path, data + body);
            formatFound = true;
        } else if (id == "data") {
            if (!formatFound) break;
            // Only whole frames are played.
            sound.samples = bytes.mid(body, size - size % sound.bytesPerFrame());
            if (sound.samples.isEmpty()) break;
            return sound;
        }
        at = body + size + (size & 1);
    }
    cannotOpen(path, formatFound ? QStringLiteral("it holds no sound")
                                 : QStringLiteral("it has no PCM format before its sound"));
}

} // namespace

std::shared_ptr<const WaveSound> readWaveFile(const QString &path, std::shared_ptr<const WaveSound> known) {
    // Opened without blocking, so that a FIFO or a device in the cue's place cannot hold
    // the game; only a regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        cannotOpen(path, errno == ENOENT ? QStringLiteral("the file does not exist")
                                         : QStringLiteral("the file cannot be read"));
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        cannotOpen(path, QStringLiteral("it is not a regular file"));
    if (info.st_size > MaxWaveFileSize)
        cannotOpen(path, QStringLiteral("it is larger than %1 MiB").arg(MaxWaveFileSize >> 20));
    const FileStamp stamp{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
                          qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
    if (known && known->stamp == stamp) return known;

    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) cannotOpen(path, QStringLiteral("the file cannot be read"));
        if (n == 0) break; // shrank while being read
        got += n;
    }
    bytes.truncate(got);
    auto sound = std::make_shared<WaveSound>(parseWave(path, bytes));
    sound->stamp = stamp;
    return sound;
}
