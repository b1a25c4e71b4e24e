#include "board/SoundCue.h"

void SoundCue::play(const QString &) {}
