#pragma once

#include <QString>
#include <memory>

class SoundOutput;

// The media player `MP` of the main window, which plays the line-entry cues. One player
// serves the whole window, so a new cue cuts off the one still sounding.
class SoundCue {
public:
    SoundCue();
    ~SoundCue();
    SoundCue(const SoundCue &) = delete;
    SoundCue &operator=(const SoundCue &) = delete;

    // Opens the WAV file at `path` and starts playing it without waiting. A file that is
    // missing, unreadable or not a PCM WAV file raises a GameError naming the file and
    // the reason. A sound system that cannot play (no audio device) stays silent.
    void play(const QString &path);

    // The file of the last cue asked for, whether or not it could be opened.
    const QString &fileName() const { return m_fileName; }

private:
    QString m_fileName;
    // Made at the first cue, so that starting the game does not wait for the sound system.
    std::unique_ptr<SoundOutput> m_output;
};

// Checks that `path` is a readable RIFF/WAVE file holding PCM sound the player can play;
// raises a GameError naming the file and the reason otherwise.
void openWaveFile(const QString &path);
