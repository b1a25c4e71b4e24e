#include "board/SoundCue.h"

#include "game/GameError.h"

#include "board/SoundOutput.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QCoreApplication>
#include <QLibrary>
#include <QtEndian>

namespace {

constexpr quint16 PcmFormat = 1;
constexpr int RiffHeaderSize = 12; // "RIFF", size, "WAVE"
constexpr int ChunkHeaderSize = 8; // id, size
constexpr int PcmFormatSize = 16;  // the fields every format chunk has

[[noreturn]] void cannotOpen(const QString &path, const QString &reason) {
    throw GameError(
        QStringLiteral("Cannot open the sound file \"%1\": %2.").arg(QDir::toNativeSeparators(path), reason));
}

quint16 word(const QByteArray &bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 doubleWord(const QByteArray &bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The format chunk's fields that decide whether the player can decode the sound.
void checkFormat(const QString &path, const QByteArray &format) {
    const quint16 tag = word(format, 0);
    const quint16 channels = word(format, 2);
    const quint32 sampleRate = doubleWord(format, 4);
    const quint16 bitsPerSample = word(format, 14);
    if (tag != PcmFormat) cannotOpen(path, QStringLiteral("its sound is not PCM (format %1)").arg(tag));
    const bool playableSamples = bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 32;
    if (channels == 0 || sampleRate == 0 || !playableSamples)
        cannotOpen(path, QStringLiteral("its PCM sound cannot be played (%1 channels, %2 Hz, %3 bits)")
                             .arg(channels)
                             .arg(sampleRate)
                             .arg(bitsPerSample));
}

} // namespace

void openWaveFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) cannotOpen(path, QStringLiteral("the file does not exist"));
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        cannotOpen(path, QStringLiteral("the file cannot be read"));

    const QByteArray riff = file.read(RiffHeaderSize);
    if (riff.size() < RiffHeaderSize || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        cannotOpen(path, QStringLiteral("it is not a WAV file"));

    // Chunks follow one another, each padded to an even length; the format must come
    // before the sound data.
    bool formatFound = false;
    for (QByteArray header = file.read(ChunkHeaderSize); header.size() == ChunkHeaderSize;
         header = file.read(ChunkHeaderSize)) {
        const QByteArray id = header.left(4);
        const quint32 size = doubleWord(header, 4);
        const qint64 next = file.pos() + size + (size & 1);
        if (id == "fmt ") {
            const QByteArray format = file.read(PcmFormatSize);
            if (size < PcmFormatSize || format.size() < PcmFormatSize)
                cannotOpen(path, QStringLiteral("its format chunk is cut short"));
            checkFormat(path, format);
            formatFound = true;
        } else if (id == "data") {
            if (!formatFound) break;
            if (size == 0 || file.atEnd()) cannotOpen(path, QStringLiteral("it holds no sound"));
            return;
        }
        if (!file.seek(next)) break;
    }
    cannotOpen(path, formatFound ? QStringLiteral("it holds no sound")
                                 : QStringLiteral("it has no PCM format before its sound"));
}

namespace {

// Loads the sound module once, from the executable's folder or else the cue's (a test
// program lives in a folder of its own). Without it the game stays silent.
CreateSoundOutput soundModule(const QString &cuePath) {
    static CreateSoundOutput create = [&]() -> CreateSoundOutput {
        for (const QString &folder : {QCoreApplication::applicationDirPath(), QFileInfo(cuePath).path()}) {
            QLibrary module(folder + QStringLiteral("/tessarin_sound"));
            if (auto function = reinterpret_cast<CreateSoundOutput>(module.resolve(CreateSoundOutputName)))
                return function; // the module stays loaded for the rest of the run
        }
        return nullptr;
    }();
    return create;
}

} // namespace

SoundCue::SoundCue() = default;
SoundCue::~SoundCue() = default;

void SoundCue::play(const QString &path) {
    m_fileName = path;
    // Opening the next cue closes the previous one, cutting it off even when the new
    // file turns out to be unplayable.
    if (m_output) m_output->stop();
    openWaveFile(path);
    if (!m_output) {
        const CreateSoundOutput create = soundModule(path);
        if (!create) return;
        m_output.reset(create());
    }
    m_output->play(path);
}
