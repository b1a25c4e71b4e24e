#pragma once

#include "board/WaveFile.h"

// What plays the cues: the desktop's sound system, reached through a module of its own
// (tessarin_sound, beside the executable) so that the game starts without loading the
// multimedia libraries. Every call comes from the sound thread, never the window's:
// any of them may wait on a sound server that has stopped answering.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Opens the output for sounds in `format`'s format, so that the first cue starts at once.
    virtual void prepare(const WaveSound &format) = 0;
    // Cuts off the sound still playing and plays `sound` whole, without waiting for its end.
    virtual void play(const WaveSound &sound) = 0;
    // Cuts off the sound still playing.
    virtual void stop() = 0;
};

// The one function the module exports: a new output, owned by the caller.
using CreateSoundOutput = SoundOutput *(*)();
inline constexpr char CreateSoundOutputName[] = "tessarinCreateSoundOutput";
