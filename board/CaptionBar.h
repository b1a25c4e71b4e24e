#pragma once

#include <QWidget>

class QDialog;

// The caption bar a dialog draws for itself where the window system leaves the frame
// to the program, as Wayland compositors do: Qt's own frame there offers minimise and
// maximise whatever the dialog's flags say, and neither fits a fixed dialog. The bar
// shows the window's title and a close box; dragging it moves the window.
class CaptionBar : public QWidget {
public:
    // On Wayland, gives `dialog` a caption bar of its own in place of Qt's frame: the
    // bar lies across the top and everything else moves down by its height.
    static void replaceFrameOnWayland(QDialog *dialog);
    // The same on any platform.
    static CaptionBar *replaceFrame(QDialog *dialog);

    QRect closeBox() const { return QRect(width() - height(), 0, height(), height()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    explicit CaptionBar(QDialog *dialog);

    bool m_closing = false; // the press was on the close box
};
