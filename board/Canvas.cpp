#include "board/Canvas.h"

#include <QPainter>

namespace {

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
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_image.fill(m_brushColor);
}

void Canvas::rectangle(int x1, int y1, int x2, int y2) {
    if (m_image.isNull()) return;
    QPainter painter(&m_image);
    painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), m_brushColor);
    preparePainter(painter, m_penColor, m_penWidth, m_penMode);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
}

void Canvas::lineTo(int x, int y) {
    const QPoint from = m_position;
    m_position = {x, y};
    if (m_image.isNull()) return;
    QPainter painter(&m_image);
    if (from == m_position) {
        // A square dot of the pen's width, its top-left pixel at the point for thin pens.
        const int offset = (m_penWidth - 1) / 2;
        const QRect dot(x - offset, y - offset, m_penWidth, m_penWidth);
        if (m_penMode == PenMode::Invert) painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(dot, m_penColor);
        return;
    }
    preparePainter(painter, m_penColor, m_penWidth, m_penMode);
    painter.drawLine(from, m_position);
}
