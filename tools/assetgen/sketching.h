#pragma once

#include "random.h"

#include <QPointF>
#include <QPolygonF>

// Lines as a hand draws them: never quite straight, never quite round.

// From a to b, swaying sideways by up to about `shake` pixels.
QPolygonF shakyLine(QPointF a, QPointF b, double shake, Random &random);

// An arc around `centre` from `startAngle` through `sweep` (radians, counter-clockwise
// on screen), its radius wavering by up to about `shake` pixels.
QPolygonF shakyArc(QPointF centre, double radius, double startAngle, double sweep, double shake,
                   Random &random);

// The point at `angle` (radians, 0 to the right, counter-clockwise on screen) and
// `distance` from `centre`.
QPointF polar(QPointF centre, double distance, double angle);
