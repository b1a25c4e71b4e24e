#pragma once

#include "game/GameState.h"
#include "game/Random.h"

// Fills slots 1..lineCount of `lines` with random lines between points of a grid of
// `range` points per side. Each candidate takes four draws, X1, Y1, X2, Y2 in this
// order; a candidate whose two ends coincide is drawn again, nothing else is rejected.
void drawTaskLines(LineTable &lines, int32_t range, int32_t lineCount, Random &random);
