#include "board/Canvas.h"

#include "board/InvertedLine.h"

#include <QPainter>
#include <cmath>
#include <optional>

namespace {

constexpr size_t MaxPending = 1024;

// Device pixels for a side of `logical` logical ones. At a whole ratio the board starts
// on a device pixel; at a fractional one it may start half-way into one, and a pixel more
// covers it wherever it starts.
int devicePixels(int logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    const int covering = int(std::ceil(logical * ratio));
    return ratio == std::floor(ratio) ? covering : covering + 1;
}

void preparePainter(QPainter &painter, const QColor &color, int width, Canvas::PenMode mode) {
    if (mode == Canvas::PenMode::Invert) {
        // Inverting twice restores the pixels: how the rubber band is erased.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    }
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
}

} // namespace

void Canvas::resize(int width, int height, qreal ratio) {
    const QSize size(std::max(width, 1), std::max(height, 1));
    if (!(ratio > 0.0)) ratio = 1.0;
    if (size == m_size && ratio == m_ratio && !m_image.isNull()) return;
    m_pending.clear(); // they were meant for the image that goes
    m_size = size;
    m_ratio = ratio;
    m_image =
        QImage(devicePixels(size.width(), ratio), devicePixels(size.height(), ratio), QImage::Format_RGB32);
    // A painter on the image then draws in logical pixels.
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(m_brushColor);
    m_changed = rect();
}

void Canvas::rectangle(int x1, int y1, int x2, int y2) {
    const QRect rect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    // The brush fills all of it, whatever was there; the outline lies on the fill.
    if (m_batches > 0 && m_brushColor.alpha() == 255 && rect.contains(this->rect())) m_pending.clear();
    keep({Stroke::Kind::Rectangle, rect, {}, {}, m_penColor, m_brushColor, m_penWidth, m_penMode});
}

void Canvas::lineTo(int x, int y) {
    const QPoint from = m_position;
    m_position = {x, y};
    if (from == m_position) {
        // A square dot of the pen's width, its top-left pixel at the point for thin pens.
        const int offset = (m_penWidth - 1) / 2;
        const QRect dot(x - offset, y - offset, m_penWidth, m_penWidth);
        keep({Stroke::Kind::Dot, dot, {}, {}, m_penColor, {}, m_penWidth, m_penMode});
        return;
    }
    keep({Stroke::Kind::Line, {}, from, m_position, m_penColor, {}, m_penWidth, m_penMode});
}

void Canvas::keep(const Stroke &stroke) {
    if (m_image.isNull()) return;
    // A wide pen reaches its width beyond the stroke's corners; round caps stay inside that.
    const int reach = stroke.width + 1;
    const QRect touched =
        stroke.kind == Stroke::Kind::Line
            ? QRect(stroke.from, stroke.to).normalized().adjusted(-reach, -reach, reach, reach)
        : stroke.kind == Stroke::Kind::Rectangle ? stroke.rect.adjusted(-reach, -reach, reach, reach)
                                                 : stroke.rect;
    m_changed |= touched & rect();
    m_pending.push_back(stroke);
    // A long batch keeps no long list.
    if (m_batches == 0 || m_pending.size() >= MaxPending) drawPending();
}

// Each stroke is drawn as a painter of its own would draw it: from the default
// composition, with its own pen. At a ratio other than 1 an inverted line (the rubber
// band) is inverted pixel by pixel, without a painter.
void Canvas::drawPending() const {
    if (m_pending.empty()) return;
    std::optional<QPainter> active;
    for (const Stroke &s : m_pending) {
        if (s.kind == Stroke::Kind::Line && s.mode == PenMode::Invert && m_ratio != 1.0) {
            active.reset();
            invertRoundCappedLine(m_image, QPointF(s.from) * m_ratio, QPointF(s.to) * m_ratio,
                                  s.width * m_ratio);
            continue;
        }
        if (!active) active.emplace(&m_image);
        QPainter &painter = *active;
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        switch (s.kind) {
        case Stroke::Kind::Rectangle:
            painter.fillRect(s.rect, s.brush);
            preparePainter(painter, s.pen, s.width, s.mode);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(s.rect);
            break;
        case Stroke::Kind::Dot:
            if (s.mode == PenMode::Invert) painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            painter.fillRect(s.rect, s.pen);
            break;
        case Stroke::Kind::Line:
            preparePainter(painter, s.pen, s.width, s.mode);
            painter.drawLine(s.from, s.to);
            break;
        }
    }
    m_pending.clear();
}
