#pragma once

#include <QImage>

// The four pictures that frame the board. The strips stand left and right of it,
// the band above and below; only their top-left parts are sure to be seen. Each is drawn
// at a `scale`: 1 gives the sizes below, 2 the same drawing with twice the pixels each way,
// for screens of twice the density.

// 250 x 1063: a compass rose in ink above a page of script.
QImage makeInkSheet(int scale = 1);

// 250 x 1063: a red-chalk geometric study above a page of script in another hand.
QImage makeChalkSheet(int scale = 1);

// 900 x 180: plain parchment.
QImage makeParchmentBand(int scale = 1);
