// The sound module: cues played through one Qt Multimedia audio sink in push mode, kept
// for the run. Every call here runs on the sound thread.
#include "board/SoundOutput.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <cstring>

namespace {

// Short enough that a cue starts at once and a cut is heard at once.
constexpr int BufferMicroseconds = 20000;

QAudioFormat audioFormat(const WaveSound &sound) {
    QAudioFormat format;
    format.setChannelCount(sound.channels);
    format.setSampleRate(sound.sampleRate);
    format.setSampleFormat(sound.bitsPerSample == 8    ? QAudioFormat::UInt8
                           : sound.bitsPerSample == 16 ? QAudioFormat::Int16
                                                       : QAudioFormat::Int32);
    return format;
}

class AudioSinkOutput : public SoundOutput {
public:
    void prepare(const WaveSound &format) override { restart(format); }

    void play(const WaveSound &sound) override {
        if (!restart(sound)) return;
        // The whole cue goes to the server at once, which plays it to its end.
        const char *data = sound.samples.constData();
        for (qint64 at = 0, size = sound.samples.size(); at < size && m_device;) {
            const qint64 written = m_device->write(data + at, size - at);
            if (written <= 0) break;
            at += written;
        }
    }

    void stop() override {
        if (m_sink) cut(*m_sink);
    }

private:
    // Silences the sink at once. Some back ends (Qt 6.8's FFmpeg one) let stop() wait
    // until what was written has played; reset() first drops it, on every back end.
    static void cut(QAudioSink &sink) {
        sink.reset();
        sink.stop();
    }

    // A new stream cuts off the sound of the previous one at once (the sink has no flush).
    // Without a server there is no stream; a server that died takes the stream with it.
    // Either way the next cue tries again on a new sink.
    bool restart(const WaveSound &format) {
        if (m_sink && !m_format.sameFormat(format)) m_sink.reset();
        if (!m_sink) {
            m_sink = std::make_unique<QAudioSink>(audioFormat(format));
            m_format = format;
            m_format.samples.clear();
        }
        cut(*m_sink);
        // Set before every start: reading the size back and setting it again shrinks it.
        m_sink->setBufferSize(m_sink->format().bytesForDuration(BufferMicroseconds));
        m_device = m_sink->start();
        if (!m_device || m_sink->error() != QAudio::NoError) {
            m_device = nullptr;
            m_sink.reset();
            return false;
        }
        return true;
    }

    std::unique_ptr<QAudioSink> m_sink;
    WaveSound m_format;
    QPointer<QIODevice> m_device; // deleted by the sink when its server goes away
};

// The sound system repeats its complaints (no audio device, a lost server) at every cue:
// only the first reaches the terminal, and its announcements none.
QtMessageHandler passOn = nullptr;
QThread *soundThread = nullptr;
std::atomic<bool> complained{false};

void quietSoundSystem(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    const bool fromSound = QThread::currentThread() == soundThread ||
                           (context.category && std::strncmp(context.category, "qt.multimedia", 13) == 0);
    if (fromSound && type != QtFatalMsg) {
        // Announcements (which back end, which library version) are not complaints.
        if (type == QtDebugMsg || type == QtInfoMsg) return;
        if (complained.exchange(true)) return;
    }
    passOn(type, context, message);
}

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *tessarinCreateSoundOutput() {
    if (!soundThread) {
        soundThread = QThread::currentThread();
        passOn = qInstallMessageHandler(quietSoundSystem);
    }
    return new AudioSinkOutput;
}
