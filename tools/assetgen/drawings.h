#pragma once

#include "random.h"

#include <QPainter>
#include <QPointF>

// An ink drawing in the manner of a portolan chart or the face of an astrolabe: a
// graduated double ring around an eight-pointed compass rose, its points half shaded,
// wind lines running out to the edges of the sheet. Paints into an ink layer.
void drawCompassRose(QPainter &ink, QPointF centre, double radius, Random &random);

// A geometric study in red chalk heightened with white: a square grid of points,
// straight lines joining some of them, a circle inscribed in the square and the arcs
// of four more swung from its corners. Paints into two chalk layers.
void drawChalkStudy(QPainter &sanguine, QPainter &white, QPointF centre, double side, Random &random);
