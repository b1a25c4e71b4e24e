#pragma once

#include "game/GameState.h"

#include <QString>

// The board in words, for assistive technology: a summary of what it shows (the grid,
// and the lines shown, the lines drawn or the points matched) and the lines themselves,
// each from one grid point to another, points given as column and row.
struct BoardWords {
    QString summary;
    QString lines;
};

// What the board shows for the game state: the phase's lines as the full repaint
// draws them, and after Check the score of the drawing against the task.
BoardWords boardInWords(const GameState &g);
