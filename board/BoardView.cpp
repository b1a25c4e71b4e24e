#include "board/BoardView.h"

#include "board/Accessibility.h"
#include "game/ErrorHandler.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

BoardView::BoardView(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void BoardView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_canvas.image(), event->rect());
}

void BoardView::resizeEvent(QResizeEvent *) {
    m_canvas.resize(width(), height());
}

void BoardView::deliver(const MouseHandler &handler, QMouseEvent *event) {
    if (!handler) return;
    const QPoint at = event->position().toPoint();
    runGuarded([&] { handler(event->button(), event->modifiers(), at.x(), at.y()); });
    // A rubber band moved changes only a strip of the board.
    showChanges();
}

void BoardView::mousePressEvent(QMouseEvent *event) {
    deliver(onPress, event);
}

// The second press of a double-click is an ordinary press.
void BoardView::mouseDoubleClickEvent(QMouseEvent *event) {
    deliver(onPress, event);
}

void BoardView::mouseMoveEvent(QMouseEvent *event) {
    deliver(onMove, event);
}

void BoardView::mouseReleaseEvent(QMouseEvent *event) {
    deliver(onRelease, event);
}

void BoardView::describe(const QString &summary, const QString &lines) {
    if (summary != m_summary) {
        m_summary = summary;
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        Accessibility::tell(changed);
    }
    if (lines != m_lines) {
        m_lines = lines;
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        Accessibility::tell(changed);
    }
}
