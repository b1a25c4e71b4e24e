#pragma once

#include "board/WaveFile.h"

#include <QMutex>
#include <QThread>
#include <memory>

class SoundOutput;

// The thread that talks to the sound system, so that a sound server that hangs or dies
// never holds up the window. The window only leaves it the latest request and goes on:
// a request not yet taken is replaced by a newer one.
class SoundThread : public QThread {
public:
    // The sound module is looked for beside the executable, then in `moduleFolder`.
    explicit SoundThread(const QString &moduleFolder);
    ~SoundThread() override;

    enum class Request { Prepare, Play, Stop };
    // Leaves a request for the thread without waiting for it.
    void post(Request request, std::shared_ptr<const WaveSound> sound = {});

    // Asks the thread to end and waits at most `graceMs` for it; false when it is still
    // caught in the sound system, in which case it must be left running.
    bool finish(int graceMs);

protected:
    void run() override;

private:
    void serve(); // on the thread: carries out the latest request
    SoundOutput *output();

    const QString m_moduleFolder;
    QObject *m_receiver; // lives on the thread; requests are posted to it
    QMutex m_mutex;      // guards the three below, never held while calling the sound system
    Request m_request = Request::Stop;
    std::shared_ptr<const WaveSound> m_sound;
    bool m_posted = false;

    // Thread side only.
    std::unique_ptr<SoundOutput> m_output;
    bool m_moduleTried = false;
};
