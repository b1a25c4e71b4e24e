#pragma once

#include "board/BoardDrawing.h"

// Takes back a line the player entered twice: two slots of g.DrawnLines holding the
// same segment, in the same or the opposite direction, are both emptied in place
// (DrawnIndex stays, so the emptied slots are not reused). After a removal the board
// is cleared and the remaining lines are drawn again in the player's colour with the
// 6-pixel pen that Clear leaves; when nothing was removed the board is left alone.
// Returns whether something was removed.
bool CheckArray(GameState &g, Canvas &canvas, QColor background = QColor(BoardColors::Background));
