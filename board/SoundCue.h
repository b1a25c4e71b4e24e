#pragma once

#include <QString>

// The media player `MP` that plays the line-entry cues.
class SoundCue {
public:
    // Opens the WAV file at `path` and starts playing it without waiting; a cue still
    // sounding is cut off.
    void play(const QString &path);
};
