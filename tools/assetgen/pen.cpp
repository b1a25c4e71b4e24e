#include "pen.h"

#include <cmath>

namespace {

double signedArea(const QPolygonF &polygon) {
    double area = 0.0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[(i + 1) % polygon.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area / 2.0;
}

// Adds the quadrilateral swept by an edge of half-length `halfEdge` from a to b. All
// pieces are wound the same way, so the winding fill rule joins them into one shape
// instead of punching holes where they overlap.
void addSweep(QPainterPath &shape, QPointF a, QPointF b, QPointF halfEdge) {
    QPolygonF quad{a + halfEdge, b + halfEdge, b - halfEdge, a - halfEdge};
    const double area = signedArea(quad);
    if (std::abs(area) < 1e-9) return;
    if (area < 0) quad = QPolygonF{quad[3], quad[2], quad[1], quad[0]};
    quad.append(quad.first());
    shape.addPolygon(quad);
}

} // namespace

QPainterPath nibStroke(const QPolygonF &path, const Nib &nib) {
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    const QPointF edge(std::cos(nib.angle), -std::sin(nib.angle));
    const QPointF across(-edge.y(), edge.x());
    const QPointF broad = edge * (nib.width / 2.0);
    const QPointF thin = across * (nib.hairline / 2.0);

    if (path.size() == 1) {
        addSweep(shape, path[0] - across * 0.3, path[0] + across * 0.3, broad);
        return shape;
    }
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
        addSweep(shape, path[i], path[i + 1], broad);
        // The nib's own thickness: without it strokes along the edge would vanish.
        addSweep(shape, path[i], path[i + 1], thin);
    }
    return shape;
}
