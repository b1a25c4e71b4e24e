#include "drawings.h"

#include "sketching.h"

#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

const QColor inkColour(44, 30, 20);
const QColor faintInk(96, 70, 46);

void inkLine(QPainter &painter, const QPolygonF &line, double width, const QColor &colour = inkColour) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
}

void inkCircle(QPainter &painter, QPointF centre, double radius, double width, Random &random) {
    inkLine(painter, shakyArc(centre, radius, random.range(0, 2 * pi), 2 * pi, 0.35, random), width);
}

// Parallel strokes across `area`, `gap` pixels apart, at `angle`.
void hatch(QPainter &painter, const QPainterPath &area, double angle, double gap, double width,
           Random &random) {
    painter.save();
    painter.setClipPath(area, Qt::IntersectClip);
    const QRectF box = area.boundingRect().adjusted(-4, -4, 4, 4);
    const QPointF middle = box.center();
    const double reach = std::hypot(box.width(), box.height()) / 2.0;
    const QPointF along(std::cos(angle), -std::sin(angle));
    const QPointF across(-along.y(), along.x());
    for (double offset = -reach; offset <= reach; offset += gap) {
        const QPointF base = middle + across * (offset + 0.25 * random.gaussian());
        inkLine(painter, shakyLine(base - along * reach, base + along * reach, 0.3, random), width);
    }
    painter.restore();
}

QPainterPath triangle(QPointF a, QPointF b, QPointF c) {
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// One point of the rose: a thin spike split along its axis, one half solid or hatched,
// the other left bare. Whatever lies beneath it is wiped first, as the draughtsman
// would have left it out.
void rosePoint(QPainter &painter, QPointF centre, double angle, double length, double base, bool solid,
               Random &random) {
    const QPointF tip = polar(centre, length, angle);
    const QPointF left = polar(centre, base, angle + pi / 8);
    const QPointF right = polar(centre, base, angle - pi / 8);

    const QPainterPath whole = triangle(centre, left, tip).united(triangle(centre, tip, right));
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(whole, Qt::transparent);
    painter.restore();

    const QPainterPath shaded = triangle(centre, left, tip);
    if (solid)
        painter.fillPath(shaded, inkColour);
    else
        hatch(painter, shaded, angle + pi / 2.6, 1.7, 0.55, random);

    inkLine(painter, shakyLine(centre, tip, 0.2, random), 0.9);
    inkLine(painter, shakyLine(left, tip, 0.25, random), 0.9);
    inkLine(painter, shakyLine(right, tip, 0.25, random), 0.9);
}

// A small trefoil crowning the north point, where charts put their fleur-de-lis.
void northMark(QPainter &painter, QPointF tip, Random &random) {
    const double r = 3.4;
    const QPointF heart = tip + QPointF(0, -r * 1.5);
    for (double angle : {pi / 2, pi / 2 + 2.1, pi / 2 - 2.1})
        inkCircle(painter, polar(heart, r * 1.2, angle), r, 0.9, random);
    painter.setPen(Qt::NoPen);
    painter.setBrush(inkColour);
    painter.drawEllipse(heart, 1.3, 1.3);
    inkLine(painter, shakyLine(tip + QPointF(-6, 0.5), tip + QPointF(6, 0.5), 0.2, random), 1.0);
}

} // namespace

void drawCompassRose(QPainter &ink, QPointF centre, double radius, Random &random) {
    ink.setRenderHint(QPainter::Antialiasing);
    const double scaleOuter = radius - 3.0;
    const double scaleInner = radius - 11.0;
    const double checkerInner = radius - 17.0;

    // Wind lines first, faint, running out past the ring to the edges of the sheet.
    for (int i = 0; i < 16; ++i) {
        const double angle = i * pi / 8;
        const double reach = i % 2 == 0 ? radius * 2.4 : radius * 1.6;
        inkLine(ink, shakyLine(polar(centre, radius, angle), polar(centre, reach, angle), 0.4, random),
                i % 2 == 0 ? 0.6 : 0.45, faintInk);
        inkLine(ink, shakyLine(centre, polar(centre, checkerInner, angle), 0.25, random), 0.45, faintInk);
    }

    // The graduated ring.
    inkCircle(ink, centre, radius, 1.4, random);
    inkCircle(ink, centre, scaleOuter, 0.8, random);
    inkCircle(ink, centre, scaleInner, 0.9, random);
    inkCircle(ink, centre, checkerInner, 0.8, random);
    for (int degree = 0; degree < 360; degree += 5) {
        const double angle = degree * pi / 180.0;
        const double inner = degree % 30 == 0   ? scaleInner
                             : degree % 10 == 0 ? scaleOuter - 5.0
                                                : scaleOuter - 3.0;
        inkLine(ink, shakyLine(polar(centre, scaleOuter, angle), polar(centre, inner, angle), 0.1, random),
                0.6);
    }
    // Every other ten-degree cell of the inner band filled in, like a scale bar.
    for (int degree = 0; degree < 360; degree += 20) {
        QPainterPath cell;
        const QRectF outer(centre.x() - scaleInner, centre.y() - scaleInner, 2 * scaleInner, 2 * scaleInner);
        const QRectF inner(centre.x() - checkerInner, centre.y() - checkerInner, 2 * checkerInner,
                           2 * checkerInner);
        cell.arcMoveTo(outer, degree);
        cell.arcTo(outer, degree, 10);
        cell.arcTo(inner, degree + 10, -10);
        cell.closeSubpath();
        ink.fillPath(cell, faintInk);
    }

    // The rose: intercardinal points first, the cardinal ones over them.
    const double base = radius * 0.25;
    for (int i = 0; i < 4; ++i)
        rosePoint(ink, centre, pi / 4 + i * pi / 2, radius * 0.6, base * 0.8, false, random);
    for (int i = 0; i < 4; ++i)
        rosePoint(ink, centre, i * pi / 2, checkerInner - 1.0, base, true, random);

    inkCircle(ink, centre, 3.2, 0.9, random);
    ink.setPen(Qt::NoPen);
    ink.setBrush(inkColour);
    ink.drawEllipse(centre, 1.1, 1.1);

    northMark(ink, polar(centre, radius + 1.5, pi / 2), random);
}

namespace {

// A chalk stroke: pressed lightly at its ends and harder in its middle.
void chalkStroke(QPainter &painter, const QPolygonF &line, double width, double pressure,
                 const QColor &colour) {
    QLinearGradient profile(line.first(), line.last());
    QColor faint = colour;
    faint.setAlphaF(float(pressure * 0.35));
    QColor firm = colour;
    firm.setAlphaF(float(pressure));
    profile.setColorAt(0.0, faint);
    profile.setColorAt(0.25, firm);
    profile.setColorAt(0.8, firm);
    profile.setColorAt(1.0, faint);
    painter.setPen(QPen(QBrush(profile), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
}

// A straight line drawn the way a sketcher does: it overshoots its ends, and is
// sometimes gone over twice.
void sketchLine(QPainter &painter, QPointF a, QPointF b, double width, double pressure, const QColor &colour,
                Random &random) {
    const QPointF along = b - a;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const int passes = random.chance(0.45) ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const QPointF start =
            a - unit * random.range(1.0, 7.0) + QPointF(random.gaussian(), random.gaussian()) * 0.6;
        const QPointF end =
            b + unit * random.range(1.0, 8.0) + QPointF(random.gaussian(), random.gaussian()) * 0.6;
        chalkStroke(painter, shakyLine(start, end, 0.8, random), width, pressure * (pass == 0 ? 1.0 : 0.6),
                    colour);
    }
}

void sketchArc(QPainter &painter, QPointF centre, double radius, double start, double sweep, double width,
               double pressure, const QColor &colour, Random &random) {
    // Swung in pieces of at most a quarter turn, as a hand (or a loose string) would.
    const int pieces = std::max(1, int(std::ceil(std::abs(sweep) / (pi / 2))));
    for (int i = 0; i < pieces; ++i) {
        const double from = start + sweep * i / pieces - 0.06;
        const double through = sweep / pieces + 0.12;
        chalkStroke(painter, shakyArc(centre, radius + random.gaussian() * 0.5, from, through, 1.0, random),
                    width, pressure * random.range(0.8, 1.0), colour);
    }
}

} // namespace

void drawChalkStudy(QPainter &sanguine, QPainter &white, QPointF centre, double side, Random &random) {
    sanguine.setRenderHint(QPainter::Antialiasing);
    white.setRenderHint(QPainter::Antialiasing);
    const QColor red(172, 74, 46);
    const QColor chalk(252, 248, 236);

    const int points = 5;
    const double step = side / (points - 1);
    const QPointF corner = centre - QPointF(side / 2, side / 2);
    auto gridPoint = [&](int column, int row) { return corner + QPointF(column * step, row * step); };

    // The grid, lightly.
    for (int i = 0; i < points; ++i) {
        const double pressure = i == 0 || i == points - 1 ? 0.75 : 0.3;
        sketchLine(sanguine, gridPoint(i, 0), gridPoint(i, points - 1), 2.0, pressure, red, random);
        sketchLine(sanguine, gridPoint(0, i), gridPoint(points - 1, i), 2.0, pressure, red, random);
    }

    // The inscribed circle and the four arcs swung from the corners.
    sketchArc(sanguine, centre, side / 2, 0, 2 * pi, 2.4, 0.75, red, random);
    const struct {
        int column, row;
        double start, sweep;
    } cornerArcs[] = {{0, 0, 0, -pi / 2},
                      {points - 1, 0, pi, pi / 2},
                      {0, points - 1, 0, pi / 2},
                      {points - 1, points - 1, pi, -pi / 2}};
    for (const auto &arc : cornerArcs)
        sketchArc(sanguine, gridPoint(arc.column, arc.row), side, arc.start, arc.sweep, 1.8, 0.45, red,
                  random);

    // Straight lines between grid points: the study's subject.
    const int joins[][4] = {{0, 4, 3, 0}, {1, 0, 4, 2}, {0, 1, 2, 4}, {2, 0, 4, 4}, {0, 3, 4, 1}};
    for (const auto &j : joins)
        sketchLine(sanguine, gridPoint(j[0], j[1]), gridPoint(j[2], j[3]), 3.0, 0.95, red, random);

    // Heightening in white: some lines gone over, a patch of quick strokes.
    sketchLine(white, gridPoint(0, 4), gridPoint(3, 0), 2.8, 0.65, chalk, random);
    sketchArc(white, centre, side / 2 + 2.5, pi * 0.15, pi * 0.6, 2.4, 0.8, chalk, random);
    for (int i = 0; i < 6; ++i) {
        const QPointF start = gridPoint(3, 2) + QPointF(i * 4.5 - 6, 10 + 1.5 * random.gaussian());
        sketchLine(white, start, start + QPointF(12, -20), 1.5, 0.55, chalk, random);
    }
    for (int i = 0; i < 8; ++i) {
        const QPointF start = gridPoint(0, 2) + QPointF(6 + i * 3.4, 4 + random.gaussian());
        sketchLine(sanguine, start, start + QPointF(10, 14), 1.8, 0.6, red, random);
    }

    // The grid points, pressed in firmly.
    sanguine.setPen(Qt::NoPen);
    for (int column = 0; column < points; ++column)
        for (int row = 0; row < points; ++row) {
            QColor dot = red;
            dot.setAlphaF(1.0f);
            sanguine.setBrush(dot);
            sanguine.drawEllipse(gridPoint(column, row) + QPointF(random.gaussian(), random.gaussian()) * 0.4,
                                 2.3, 2.3);
        }
}
