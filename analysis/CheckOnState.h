#pragma once

#include "game/GameState.h"

// The rules of New and Check on the game state, in the steps the main window takes
// them: it shows the board and the bars between the steps.

// Decomposes the lines into the work trace (what New does to the task's lines and Check
// to the player's).
void traceLines(GameState &g, const LineTable &lines);

// Keeps the entries of the work trace that scoring compares.
void keepTrace(const Trace &work, Trace &kept);

// Moves both bars, and the level with them, by the drawing's score against the task.
void moveBarsAndLevel(GameState &g);

// Takes the next task's grid and line count from the level table; a cell that holds no
// integer raises a GameError.
void takeLevelSize(GameState &g);
