#pragma once

#include <QPainterPath>
#include <QPolygonF>

// A quill cut square: broad across its edge, hairline along it. Dragging it along a
// path gives the thick downstrokes and thin upstrokes of old handwriting by itself.
struct Nib {
    double width = 1.5;     // across the edge, in pixels
    double hairline = 0.45; // the thinnest mark the quill still leaves
    double angle = 0.7;     // of the edge against the baseline, in radians
};

// The area the nib covers while it moves along `path`, ready for QPainter::fillPath().
QPainterPath nibStroke(const QPolygonF &path, const Nib &nib);
