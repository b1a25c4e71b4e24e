#include "sketching.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A slow random sway: two sines of random phase, zero at both ends.
struct Sway {
    explicit Sway(Random &random)
        : phase1(random.range(0, 2 * std::numbers::pi)), phase2(random.range(0, 2 * std::numbers::pi)),
          waves(random.range(1.0, 2.5)) {}
    double at(double t) const {
        const double envelope = std::sin(std::numbers::pi * t);
        return envelope * (0.7 * std::sin(2 * std::numbers::pi * waves * t + phase1) +
                           0.3 * std::sin(2 * std::numbers::pi * 2.7 * waves * t + phase2));
    }
    double phase1, phase2, waves;
};

} // namespace

QPointF polar(QPointF centre, double distance, double angle) {
    return centre + QPointF(std::cos(angle), -std::sin(angle)) * distance;
}

QPolygonF shakyLine(QPointF a, QPointF b, double shake, Random &random) {
    const Sway sway(random);
    const QPointF along = b - a;
    const double length = std::hypot(along.x(), along.y());
    const QPointF normal = length > 0 ? QPointF(-along.y(), along.x()) / length : QPointF();
    const int steps = std::max(2, int(length / 2.0));
    QPolygonF line;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        line << a + along * t + normal * (shake * sway.at(t));
    }
    return line;
}

QPolygonF shakyArc(QPointF centre, double radius, double startAngle, double sweep, double shake,
                   Random &random) {
    const Sway sway(random);
    const int steps = std::max(4, int(std::abs(sweep) * radius / 2.0));
    QPolygonF arc;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        arc << polar(centre, radius + shake * sway.at(t), startAngle + sweep * t);
    }
    return arc;
}
