#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <utility>
#include <vector>

// The board's paint surface: an image with a pen (colour, width, copy or invert mode)
// and a brush, drawn on with rectangles and move-to/line-to strokes. The board widget
// only shows the image. Everything is drawn in the board's logical pixels, the image
// holds the screen's device pixels: at a ratio of 2 a line 3 wide covers 6 of them.
class Canvas {
public:
    enum class PenMode { Copy, Invert };

    // While a batch lives, strokes are kept and drawn in one go when the last batch ends
    // (or when the image is looked at); a rectangle that covers the whole image makes
    // the strokes kept before it pointless, so they are dropped. A New lays the board
    // out, clears it and repaints it, which clears it again: in a batch the pixels are
    // those of drawing every stroke, at the cost of one clear. Without a batch every
    // stroke is drawn at once.
    class Batch {
    public:
        explicit Batch(Canvas &canvas) : m_canvas(canvas) { ++canvas.m_batches; }
        ~Batch() {
            if (--m_canvas.m_batches == 0) m_canvas.drawPending();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        Canvas &m_canvas;
    };

    // A surface of width x height logical pixels at `ratio` device pixels to each.
    void resize(int width, int height, qreal ratio = 1.0);
    // The part of the board, in logical pixels, that strokes have touched since the last
    // call.
    QRect takeChangedArea() { return std::exchange(m_changed, QRect()); }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    qreal ratio() const { return m_ratio; }
    // In device pixels; its device-pixel ratio is the surface's.
    const QImage &image() const {
        drawPending();
        return m_image;
    }

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
    struct Stroke {
        enum class Kind { Rectangle, Dot, Line } kind;
        QRect rect;      // Rectangle and Dot
        QPoint from, to; // Line
        QColor pen, brush;
        int width;
        PenMode mode;
    };
    void keep(const Stroke &stroke);
    void drawPending() const;

    QRect rect() const { return QRect(QPoint(0, 0), m_size); }

    mutable QImage m_image;
    QSize m_size;
    qreal m_ratio = 1.0;
    mutable std::vector<Stroke> m_pending;
    int m_batches = 0;
    QRect m_changed;
    QColor m_penColor = Qt::black;
    QColor m_brushColor = Qt::white;
    int m_penWidth = 1;
    PenMode m_penMode = PenMode::Copy;
    QPoint m_position;
};
