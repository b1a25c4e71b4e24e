#pragma once

#include <QImage>

// The four pictures that frame the board. The strips stand left and right of it,
// the band above and below; only their top-left parts are sure to be seen.

// 250 x 1063: a compass rose in ink above a page of script.
QImage makeInkSheet();

// 250 x 1063: a red-chalk geometric study above a page of script in another hand.
QImage makeChalkSheet();

// 900 x 180: plain parchment.
QImage makeParchmentBand();
