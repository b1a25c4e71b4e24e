#pragma once

#include <QImage>
#include <QPointF>

// Inverts every pixel of the 32-bit image whose centre lies less than width / 2 from the
// segment from `from` to `to`, all in the image's own pixels: what a pen of that width with
// round ends covers. Each pixel is inverted once, so inverting the same line again restores
// the image. Done row by row on the calling thread: a painter would hand the rows of a long
// line to painting threads and wait for them, which on a busy machine costs more than the
// line.
void invertRoundCappedLine(QImage &image, QPointF from, QPointF to, qreal width);
