#include "settings/LinkLabel.h"

#include "board/WindowLook.h"
#include "game/ErrorHandler.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent) {
    // Tab reaches it; a click opens the page without moving the focus, as before.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::activate() {
    if (onActivated) runGuarded(onActivated);
}

// With the focus the link stands reversed, the game's light orange on navy: a ring
// would cover its first and last letters, which it fits tightly.
void LinkLabel::paintEvent(QPaintEvent *event) {
    if (!hasFocus()) return QLabel::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), QColor(BoardColors::Navy));
    QPalette reversed = palette();
    reversed.setColor(QPalette::WindowText, QColor(BoardColors::Player));
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          reversed, isEnabled(), text(), QPalette::WindowText);
}

void LinkLabel::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) activate();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent *event) {
    QLabel::focusInEvent(event);
    update();
}

void LinkLabel::focusOutEvent(QFocusEvent *event) {
    QLabel::focusOutEvent(event);
    update();
}
