#pragma once

#include <QLabel>
#include <functional>

// A label that acts as a link: a click on it, Enter or Space while it has the focus,
// or the press action of assistive technology runs `onActivated`. Tab reaches it; it
// looks like a plain label until it has the focus.
class LinkLabel : public QLabel {
public:
    explicit LinkLabel(QWidget *parent);

    void activate();
    std::function<void()> onActivated;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
