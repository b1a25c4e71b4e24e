#pragma once

#include "board/Canvas.h"

#include <QWidget>
#include <functional>

// The board `PaintB`: shows its canvas and hands mouse events to the main window.
// While a button is held the board keeps the mouse, so the release comes here even
// when it happens outside the board. To assistive technology it names what it shows.
class BoardView : public QWidget {
public:
    using MouseHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)>;

    explicit BoardView(QWidget *parent = nullptr);

    Canvas &canvas() { return m_canvas; }
    const Canvas &canvas() const { return m_canvas; }

    // Repaints the part of the board that drawing on the canvas has changed.
    void showChanges() { update(m_canvas.takeChangedArea()); }
    // Gives the canvas the board's size and the screen's device-pixel ratio.
    void fitCanvas() { m_canvas.resize(width(), height(), screenRatio()); }

    MouseHandler onPress, onMove, onRelease;
    // Runs when the screen's ratio changed under the board and the canvas was made anew,
    // empty: the board is to be drawn again.
    std::function<void()> onCanvasRemade;

    // What the board shows, in words: a summary (its accessible name) and the lines
    // (its description). A change is told to assistive technology.
    void describe(const QString &summary, const QString &lines);
    const QString &summary() const { return m_summary; }
    const QString &lines() const { return m_lines; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void deliver(const MouseHandler &handler, QMouseEvent *event);
    void followRatio();
    qreal screenRatio() const;

    Canvas m_canvas;
    QString m_summary, m_lines;
};
