#include "board/CaptionBar.h"

#include "board/WindowLook.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int DesignHeight = 28;

} // namespace

void CaptionBar::replaceFrameOnWayland(QDialog *dialog) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) replaceFrame(dialog);
}

CaptionBar *CaptionBar::replaceFrame(QDialog *dialog) {
    const int height = WindowLook::scaled(DesignHeight);
    for (QWidget *child : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() + height);
    dialog->setFixedSize(dialog->width(), dialog->height() + height);
    // Set whole: Qt drops the frameless hint beside the title and close-box hints.
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto *bar = new CaptionBar(dialog);
    bar->setGeometry(0, 0, dialog->width(), height);
    return bar;
}

CaptionBar::CaptionBar(QDialog *dialog) : QWidget(dialog) {
    setObjectName(QStringLiteral("CaptionBar"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    dialog->installEventFilter(this); // repaints the title when it changes
}

bool CaptionBar::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::WindowTitleChange) update();
    return QWidget::eventFilter(watched, event);
}

void CaptionBar::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect().adjusted(height(), 0, -height(), 0), Qt::AlignCenter, window()->windowTitle());
    const int inset = height() / 3;
    const QRect cross = closeBox().adjusted(inset, inset, -inset, -inset);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 2));
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.bottomLeft(), cross.topRight());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void CaptionBar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return;
    m_closing = closeBox().contains(event->position().toPoint());
    if (!m_closing && window()->windowHandle()) window()->windowHandle()->startSystemMove();
}

void CaptionBar::mouseReleaseEvent(QMouseEvent *event) {
    // The close box acts as the frame's would: the dialog gets a close request.
    if (event->button() == Qt::LeftButton && m_closing && closeBox().contains(event->position().toPoint()))
        window()->close();
    m_closing = false;
}
