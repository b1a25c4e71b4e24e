#pragma once

#include "game/GameState.h"

// The sample points of a line table, and how many entries were written (entries past
// them are (0, 0)).
struct Decomposition {
    Trace trace;
    int32_t written = 0;
};

// Turns slots 1..lineCount of a line table into sample points, one every fifth of a
// grid step: first along x for every slot, then along y for every slot. Entry n of the
// trace becomes the n-th sample (x, y), each scaled by cellW and truncated toward
// zero; a repeated pair is cleared to (0, 0) after its first occurrence. Samples beyond
// the trace's capacity are dropped.
//
// Both traces that scoring compares come from here, so the arithmetic is fixed to
// the last bit: 80-bit extended precision, with slope, intercept and running
// coordinate rounded to double between steps.
Decomposition decomposeLines(const LineTable &lines, int32_t lineCount, int32_t cellW);
