#include "board/CuePlayer.h"

#include "board/SoundThread.h"
#include "game/GameError.h"

#include <QFileInfo>

#include <vector>

namespace {

// How long the end of the game waits for the sound thread.
constexpr int ExitGraceMs = 300;

// Sound threads that did not end within the grace, left to end on their own (a module
// still loading, an output still opening, a server that has stopped answering); each is
// deleted once it has ended. Only the window's thread touches this.
std::vector<SoundThread *> &threadsLeftRunning() {
    static std::vector<SoundThread *> threads;
    return threads;
}

bool deleteEndedThreads() {
    std::erase_if(threadsLeftRunning(), [](SoundThread *thread) {
        if (!thread->isFinished()) return false;
        delete thread;
        return true;
    });
    return threadsLeftRunning().empty();
}

} // namespace

CuePlayer::CuePlayer() = default;

CuePlayer::~CuePlayer() {
    deleteEndedThreads();
    if (!m_thread) return;
    if (m_thread->finish(ExitGraceMs)) {
        delete m_thread;
        return;
    }
    // Deleting a running thread would abort, and waiting on one caught in the sound
    // system could take forever; the window goes without it. At the end of the game the
    // process ends without the libraries' exit handlers, which would wait on the locks
    // such a thread holds.
    threadsLeftRunning().push_back(m_thread);
}

bool CuePlayer::leftThreadsEnded() {
    return deleteEndedThreads();
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
