#pragma once

#include <QString>

// What plays the cues: the sound system, which lives in a module of its own
// (tessarin_sound, beside the executable) that is loaded at the first cue, so that
// starting the game does not wait for the sound libraries to load.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing the WAV file without waiting; a sound still playing stops.
    virtual void play(const QString &path) = 0;
    virtual void stop() = 0;
};

// The one function the module exports: a new output, owned by the caller.
using CreateSoundOutput = SoundOutput *(*)();
inline constexpr char CreateSoundOutputName[] = "tessarinCreateSoundOutput";
