#pragma once

#include "board/Canvas.h"
#include "board/WindowLook.h"
#include "game/GameState.h"

// The grid as the board draws it: points per side and their spacing in pixels.
struct BoardGrid {
    int32_t range = 0;
    int32_t cellW = 0;
    int32_t cellH = 0;
};
inline BoardGrid gridOf(const GameState &g) {
    return {g.Range, g.CellW, g.CellH};
}

// The empty board: background, one dot per grid point and the frame. Leaves the pen
// black and 6 pixels wide.
void drawEmptyBoard(Canvas &canvas, const BoardGrid &grid,
                    QColor background = QColor(BoardColors::Background));

// The whole board for a phase: the empty board, the task's lines (blue while shown, red
// after Check) and the player's lines over them. Leaves the pen 3 pixels wide.
void drawBoard(Canvas &canvas, const BoardGrid &grid, int32_t phase, const LineTable &task,
               const LineTable &drawn, QColor background = QColor(BoardColors::Background));

// One line of a table in grid coordinates, with the canvas's current pen.
void drawGridLine(Canvas &canvas, const BoardGrid &grid, const LineTable &lines, int slot);
