// A sound module for the window tests, built as tessarin_sound into a folder of cues of its
// own: instead of sounding, it notes each request the sound thread passes on.
#include "board/SoundOutput.h"

#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>

namespace {

QMutex guard;
QStringList requests;
std::atomic<int> holdMs{0};

void note(const QString &request) {
    {
        QMutexLocker lock(&guard);
        requests << request;
    }
    QThread::msleep(holdMs); // as a sound system slow to answer
}

class RecordingOutput : public SoundOutput {
    void prepare(const WaveSound &format) override {
        note(QStringLiteral("prepare %1 Hz").arg(format.sampleRate));
    }
    void play(const WaveSound &sound) override {
        note(QStringLiteral("play %1 bytes").arg(sound.samples.size()));
    }
    void stop() override { note(QStringLiteral("stop")); }
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *tessarinCreateSoundOutput() {
    return new RecordingOutput;
}

// The requests noted so far, which are then forgotten.
extern "C" Q_DECL_EXPORT QStringList tessarinTakeSoundRequests() {
    QMutexLocker lock(&guard);
    return std::exchange(requests, {});
}

// From now on each request, once noted, holds the sound thread for `ms` milliseconds.
extern "C" Q_DECL_EXPORT void tessarinHoldSoundRequests(int ms) {
    holdMs = ms;
}
