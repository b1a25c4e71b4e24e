#pragma once

#include <QByteArray>
#include <QImage>

// The product's mark: a tiny board, a 4 x 4 grid of points in a black frame on the
// board's pale mint, with a triangle drawn on it in the game's three line colours:
// blue as a task is shown, red as it is checked, light orange as the player drew it.
// It is designed on a 16 x 16 grid of units so that every size that is a multiple of
// 16 pixels lands on whole pixels.

// The application icon, `size` x `size` pixels, ARGB32.
QImage makeIcon(int size);

// The same design as scalable vector graphics, 16 x 16 user units.
QByteArray makeIconSvg();

// The About box's emblem, 88 x 46, 16 colours (Format_Indexed8): two little boards side
// by side, the task as shown in blue on the left, the check on the right with the
// player's lines in light orange over the task in red, one of them off. At a `scale` of 2,
// the same with twice the pixels each way.
QImage makeEmblem(int scale = 1);
