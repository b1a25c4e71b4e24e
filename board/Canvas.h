#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// The board's paint surface: an image with a pen (colour, width, copy or invert mode)
// and a brush, drawn on with rectangles and move-to/line-to strokes. The board widget
// only shows the image.
class Canvas {
public:
    enum class PenMode { Copy, Invert };

    void resize(int width, int height);
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage &image() const { return m_image; }

    QColor penColor() const { return m_penColor; }
    int penWidth() const { return m_penWidth; }
    PenMode penMode() const { return m_penMode; }
    void setPenColor(const QColor &color) { m_penColor = color; }
    void setPenWidth(int width) { m_penWidth = width; }
    void setPenMode(PenMode mode) { m_penMode = mode; }
    void setBrushColor(const QColor &color) { m_brushColor = color; }

    // Fills the rectangle from (x1, y1) up to but excluding (x2, y2) with the brush,
    // outlined with the pen.
    void rectangle(int x1, int y1, int x2, int y2);
    void moveTo(int x, int y) { m_position = {x, y}; }
    // A stroke from the pen's position to (x, y) with round ends; a stroke of zero
    // length leaves a dot as wide as the pen.
    void lineTo(int x, int y);

private:
    QImage m_image;
    QColor m_penColor = Qt::black;
    QColor m_brushColor = Qt::white;
    int m_penWidth = 1;
    PenMode m_penMode = PenMode::Copy;
    QPoint m_position;
};

// Colours of the game are given as 0x00BBGGRR values.
constexpr QRgb fromBgr(uint32_t bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
