#include "board/BoardView.h"

#include "board/Accessibility.h"
#include "game/ErrorHandler.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QtMath>

BoardView::BoardView(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

bool BoardView::event(QEvent *event) {
    // Moved to another screen, or the screen's scale changed.
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange) followRatio();
#endif
    if (event->type() == QEvent::ScreenChangeInternal) followRatio();
    return QWidget::event(event);
}

// The ratio of the screen the board stands on, or will stand on when its window is shown:
// until then Qt gives the largest ratio of all screens.
qreal BoardView::screenRatio() const {
    const QScreen *screen = this->screen();
    return window()->windowHandle() || !screen ? devicePixelRatioF() : screen->devicePixelRatio();
}

void BoardView::followRatio() {
    if (screenRatio() == m_canvas.ratio()) return;
    fitCanvas();
    if (onCanvasRemade) runGuarded(onCanvasRemade);
    update();
}

// The canvas's pixels go to the screen's one to one: its top-left pixel on the device
// pixel where the board starts (at a fractional ratio, the one the board starts in), so
// that nothing is resampled.
void BoardView::paintEvent(QPaintEvent *event) {
    followRatio(); // in case no event told of the change
    QPainter painter(this);
    const QImage &image = m_canvas.image();
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != image.devicePixelRatio() ||
        toDevice.m22() != image.devicePixelRatio()) {
        // Painted into something other than the screen (a scaled rendering): resampled.
        const qreal r = image.devicePixelRatio();
        painter.drawImage(QRectF(rect()), image, QRectF(0, 0, width() * r, height() * r));
        return;
    }
    const QPointF origin = toDevice.map(QPointF(0, 0));
    const QPoint pixelOrigin(qFloor(origin.x() + 0.001), qFloor(origin.y() + 0.001));
    const QRect area = toDevice.mapRect(QRectF(event->rect()))
                           .toAlignedRect()
                           .translated(-pixelOrigin)
                           .intersected(image.rect());
    painter.setWorldTransform(QTransform::fromTranslate(pixelOrigin.x(), pixelOrigin.y()) *
                              toDevice.inverted());
    painter.drawImage(QRectF(area), image, QRectF(area));
}

void BoardView::resizeEvent(QResizeEvent *) {
    fitCanvas();
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
