#include "board/SoundThread.h"

#include "board/SoundOutput.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>

SoundThread::SoundThread(const QString &moduleFolder)
    : m_moduleFolder(moduleFolder), m_receiver(new QObject) {
    m_receiver->moveToThread(this);
    start();
}

SoundThread::~SoundThread() {
    delete m_receiver; // only reached once the thread has ended
}

void SoundThread::post(Request request, std::shared_ptr<const WaveSound> sound) {
    QMutexLocker lock(&m_mutex);
    m_request = request;
    m_sound = std::move(sound);
    if (std::exchange(m_posted, true)) return; // the request already waiting will take this one
    QMetaObject::invokeMethod(
        m_receiver, [this] { serve(); }, Qt::QueuedConnection);
}

void SoundThread::serve() {
    Request request;
    std::shared_ptr<const WaveSound> sound;
    {
        QMutexLocker lock(&m_mutex);
        request = m_request;
        sound = std::move(m_sound);
        m_posted = false;
    }
    SoundOutput *out = output();
    if (!out) return;
    switch (request) {
    case Request::Prepare:
        out->prepare(*sound);
        break;
    case Request::Play:
        out->play(*sound);
        break;
    case Request::Stop:
        out->stop();
        break;
    }
}

// Loads the sound module once, from the executable's folder or else the cue's (a test
// program lives in a folder of its own). Without it the game stays silent.
SoundOutput *SoundThread::output() {
    if (!std::exchange(m_moduleTried, true)) {
        for (const QString &folder : {QCoreApplication::applicationDirPath(), m_moduleFolder}) {
            QLibrary module(folder + QStringLiteral("/tessarin_sound"));
            if (auto create = reinterpret_cast<CreateSoundOutput>(module.resolve(CreateSoundOutputName))) {
                m_output.reset(create()); // the module stays loaded for the rest of the run
                break;
            }
        }
    }
    return m_output.get();
}

void SoundThread::run() {
    exec();
    m_output.reset();
}

bool SoundThread::finish(int graceMs) {
    quit();
    return wait(QDeadlineTimer(graceMs));
}
