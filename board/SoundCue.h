#pragma once

#include "board/WaveFile.h"

#include <QHash>
#include <QString>
#include <memory>

class SoundThread;

// The media player `MP` of the main window, which plays the line-entry cues. One player
// serves the whole window, so a new cue cuts off the one still sounding. The window only
// checks the cue file and hands its samples to the sound thread; it never waits on the
// sound system.
class SoundCue {
public:
    SoundCue();
    // Gives the sound thread a moment to end, and otherwise leaves it to end on its own.
    ~SoundCue();
    SoundCue(const SoundCue &) = delete;
    SoundCue &operator=(const SoundCue &) = delete;

    // Checks the WAV file at `path` and starts playing it without waiting. A file that is
    // missing, unreadable or not a playable PCM WAV file raises a GameError naming the
    // file and the reason, and cuts off the cue still sounding. A sound system that cannot
    // play (no server, a hung one) stays silent.
    void play(const QString &path);

    // Opens the sound output for the cue at `path` ahead of the first cue; a cue file that
    // cannot be read is left for play() to report.
    void prepare(const QString &path);

    // The cues need no video hardware, yet Qt's FFmpeg sound back end (Qt 6.5 on) probes
    // it when it starts, and the video libraries it loads write to the terminal. Asks it
    // not to, unless the player's environment says otherwise. Called before any thread
    // starts, since it changes the environment.
    static void leaveVideoHardwareAlone();

    // Whether the sound threads left running by windows already gone have all ended.
    static bool leftThreadsEnded();

    // The file of the last cue asked for, whether or not it could be opened.
    const QString &fileName() const { return m_fileName; }

private:
    std::shared_ptr<const WaveSound> read(const QString &path);
    SoundThread &thread(const QString &path);

    QString m_fileName;
    QHash<QString, std::shared_ptr<const WaveSound>> m_sounds; // read again when the file changes
    SoundThread *m_thread = nullptr;                           // started at the first cue or preparation
};
