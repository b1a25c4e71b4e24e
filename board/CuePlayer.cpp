#include "board/CuePlayer.h"

#include "board/SoundThread.h"
#include "game/GameError.h"

#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

// How long the end of the game waits for the sound thread.
constexpr int ExitGraceMs = 300;

} // namespace

CuePlayer::CuePlayer() = default;

CuePlayer::~CuePlayer() {
    if (!m_thread) return;
    if (m_thread->finish(ExitGraceMs)) {
        delete m_thread;
        return;
    }
    // A sound server that has stopped answering holds the thread inside the sound system,
    // with the sound system's locks taken: its clean-up at exit would wait for them or
    // abort. The window's destruction has saved the settings by now, and nothing else is
    // left to write, so the process ends here, as a successful run, without running the
    // libraries' exit handlers (nor the leak check's: the thread still holds its memory).
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void CuePlayer::leaveVideoHardwareAlone() {
    for (const char *name : {"QT_FFMPEG_DECODING_HW_DEVICE_TYPES", "QT_FFMPEG_ENCODING_HW_DEVICE_TYPES"})
        if (!qEnvironmentVariableIsSet(name)) qputenv(name, QByteArray("")); // an empty list: none
}

SoundThread &CuePlayer::thread(const QString &path) {
    if (!m_thread) m_thread = new SoundThread(QFileInfo(path).path());
    return *m_thread;
}

std::shared_ptr<const WaveSound> CuePlayer::read(const QString &path) {
    auto &known = m_sounds[path];
    known = readWaveFile(path, known);
    return known;
}

QString CuePlayer::fileName(Cue cue) {
    return cue == Cue::LineStart ? QStringLiteral("puk.wav") : QStringLiteral("puk_bum.wav");
}

void CuePlayer::play(Cue cue, const QString &folder) {
    m_lastCue = cue;
    const QString path = folder + fileName(cue);
    std::shared_ptr<const WaveSound> sound;
    try {
        sound = read(path);
    } catch (...) {
        // Opening the next cue closes the previous one, even when the new file turns
        // out to be unplayable.
        if (m_thread) m_thread->post(SoundThread::Request::Stop);
        throw;
    }
    thread(path).post(SoundThread::Request::Play, std::move(sound));
}

void CuePlayer::prepare(Cue cue, const QString &folder) {
    const QString path = folder + fileName(cue);
    try {
        thread(path).post(SoundThread::Request::Prepare, read(path));
    } catch (const GameError &) {
        // Reported when the cue is asked for.
    }
}
