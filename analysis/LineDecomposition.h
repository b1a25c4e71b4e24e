#pragma once

#include "game/GameState.h"

// Turns slots 1..LineCount of a line table into sample points, one every fifth of a
// grid step: first along x for every slot, then along y for every slot. Entry n of
// g.TraceWork becomes the n-th sample (x, y), each scaled by CellW and truncated
// toward zero; a repeated pair is cleared to (0, 0) after its first occurrence, and
// every entry past the last written one is (0, 0). g.TraceCount ends one past the
// last entry written. Samples beyond the trace's capacity are dropped.
//
// Both traces that scoring compares come from here, so the arithmetic is fixed to
// the last bit: 80-bit extended precision, with slope, intercept and running
// coordinate rounded to double between steps.
void M_A_Rxy(GameState &g, LineTable lines);
