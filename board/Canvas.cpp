#include "board/Canvas.h"

#include <QPainter>

namespace {

constexpr size_t MaxPending = 1024;

void preparePainter(QPainter &painter, const QColor &color, int width, Canvas::PenMode mode) {
    if (mode == Canvas::PenMode::Invert) {
        // Inverting twice restores the pixels: how the rubber band is erased.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    }
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
}

} // namespace

void Canvas::resize(int width, int height) {
    if (width == m_image.width() && height == m_image.height()) return;
    m_pending.clear(); // they were meant for the image that goes
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_image.fill(m_brushColor);
    m_changed = m_image.rect();
}

void Canvas::rectangle(int x1, int y1, int x2, int y2) {
    const QRect rect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    // The brush fills all of it, whatever was there; the outline lies on the fill.
    if (m_batches > 0 && m_brushColor.alpha() == 255 && rect.contains(m_image.rect())) m_pending.clear();
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
    m_changed |= touched & m_image.rect();
    m_pending.push_back(stroke);
    // A long batch keeps no long list.
    if (m_batches == 0 || m_pending.size() >= MaxPending) drawPending();
}

// Each stroke is drawn as a painter of its own would draw it: from the default
// composition, with its own pen.
void Canvas::drawPending() const {
    if (m_pending.empty()) return;
    QPainter painter(&m_image);
    for (const Stroke &s : m_pending) {
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
