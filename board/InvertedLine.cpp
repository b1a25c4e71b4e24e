#include "board/InvertedLine.h"

#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Where the row at height y crosses the segment from p to q, if it does.
void widenByEdge(qreal y, QPointF p, QPointF q, qreal &left, qreal &right) {
    if (y < std::min(p.y(), q.y()) || y > std::max(p.y(), q.y())) return;
    const qreal x = p.y() == q.y() ? p.x() : p.x() + (y - p.y()) / (q.y() - p.y()) * (q.x() - p.x());
    const qreal other = p.y() == q.y() ? q.x() : x;
    left = std::min({left, x, other});
    right = std::max({right, x, other});
}

// Where the row at height y crosses the disc of radius r around c, if it does.
void widenByDisc(qreal y, QPointF c, qreal r, qreal &left, qreal &right) {
    const qreal dy = y - c.y();
    if (std::abs(dy) >= r) return;
    const qreal half = std::sqrt(r * r - dy * dy);
    left = std::min(left, c.x() - half);
    right = std::max(right, c.x() + half);
}

} // namespace

void invertRoundCappedLine(QImage &image, QPointF from, QPointF to, qreal width) {
    const qreal r = width / 2;
    const QPointF along = to - from;
    const qreal length = std::hypot(along.x(), along.y());
    const QPointF normal = length > 0 ? QPointF(-along.y(), along.x()) * (r / length) : QPointF();
    // The band between the two round ends.
    const std::array<QPointF, 4> side{from + normal, to + normal, to - normal, from - normal};

    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int top = std::max(0, qFloor(std::min(from.y(), to.y()) - r));
    const int bottom = std::min(image.height() - 1, qCeil(std::max(from.y(), to.y()) + r));
    for (int row = top; row <= bottom; ++row) {
        const qreal y = row + 0.5;
        qreal left = std::numeric_limits<qreal>::infinity();
        qreal right = -left;
        widenByDisc(y, from, r, left, right);
        widenByDisc(y, to, r, left, right);
        if (length > 0)
            for (size_t i = 0; i < side.size(); ++i)
                widenByEdge(y, side[i], side[(i + 1) % side.size()], left, right);
        if (!(left < right)) continue; // the row passes the line by
        // The pixels whose centres lie from `left` up to `right`.
        const int first = std::max(0, qCeil(left - 0.5));
        const int last = std::min(image.width() - 1, qCeil(right - 0.5) - 1);
        if (first > last) continue;
        auto *pixels = reinterpret_cast<QRgb *>(bits + row * stride);
        for (int x = first; x <= last; ++x)
            pixels[x] ^= 0x00FFFFFF;
    }
}
