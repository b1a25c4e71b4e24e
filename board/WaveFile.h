#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// One version of a file on disk: when any of these change, the file is read again.
struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 size = -1, modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// The sound of a PCM WAV file: its format and its samples as they lie in the file
// (little-endian, channels interleaved; 8-bit samples unsigned, wider ones signed).
struct WaveSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;
    FileStamp stamp; // of the file the sound was read from

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    bool sameFormat(const WaveSound &other) const {
        return channels == other.channels && sampleRate == other.sampleRate &&
               bitsPerSample == other.bitsPerSample;
    }
};

// The largest cue file read: far above any short cue, far below what would stall the game.
inline constexpr qint64 MaxWaveFileSize = 16 * 1024 * 1024;

// Reads the WAV file at `path` without ever waiting on it: only a regular file up to
// MaxWaveFileSize whose chunks lie inside it and whose PCM format fields agree. Raises a
// GameError naming the file and the reason otherwise. When the file is still the one
// `known` was read from, returns `known` without reading it again.
std::shared_ptr<const WaveSound> readWaveFile(const QString &path,
                                              std::shared_ptr<const WaveSound> known = {});
