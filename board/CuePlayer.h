#pragma once

#include "board/WaveFile.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

class SoundThread;

// The line-entry cues: a line's start point and its end point.
enum class Cue { LineStart, LineEnd };

// The media player `MP` of the main window, which plays the cues. One player serves the
// whole window, so a new cue cuts off the one still sounding. The window only checks the
// cue's file and hands its samples to the sound thread; it never waits on the sound system.
class CuePlayer {
public:
    CuePlayer();
    // Gives the sound thread a moment to end, and otherwise leaves it to end on its own.
    ~CuePlayer();
    CuePlayer(const CuePlayer &) = delete;
    CuePlayer &operator=(const CuePlayer &) = delete;

    // The cue's WAV file, which lies in the game's folder.
    static QString fileName(Cue cue);

    // Checks the cue's file in `folder` and starts playing it without waiting. A file that
    // is missing, unreadable or not a playable PCM WAV file raises a GameError naming the
    // file and the reason, and cuts off the cue still sounding. A sound system that cannot
    // play (no server, a hung one) stays silent.
    void play(Cue cue, const QString &folder);

    // Opens the sound output for the cue ahead of the first cue; a cue file that cannot be
    // read is left for play() to report.
    void prepare(Cue cue, const QString &folder);

    // The cues need no video hardware, yet Qt's FFmpeg sound back end (Qt 6.5 on) probes
    // it when it starts, and the video libraries it loads write to the terminal. Asks it
    // not to, unless the player's environment says otherwise. Called before any thread
    // starts, since it changes the environment.
    static void leaveVideoHardwareAlone();

    // Whether the sound threads left running by windows already gone have all ended.
    static bool leftThreadsEnded();

    // The last cue asked for, whether or not its file could be opened.
    std::optional<Cue> lastCue() const { return m_lastCue; }

private:
    std::shared_ptr<const WaveSound> read(const QString &path);
    SoundThread &thread(const QString &path);

    std::optional<Cue> m_lastCue;
    QHash<QString, std::shared_ptr<const WaveSound>> m_sounds; // read again when the file changes
    SoundThread *m_thread = nullptr;                           // started at the first cue or preparation
};
