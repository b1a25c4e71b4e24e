#include "board/DialogWindow.h"

#include "board/WindowLook.h"
#include "board/X11WindowManager.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace DialogWindow {

namespace {

// The frame of the last dialog whose frame was known: the best guess for a dialog whose
// frame nobody has told yet, since a window manager frames all dialogs alike.
QMargins lastFrame;

// How long a dialog's first showing waits at most for the X window manager to say which
// frame it will give it, when it has not said by then.
constexpr int FrameAnswerWaitMs = 100;

// The frame around the window. On X, only as the window manager says it, before the
// window is mapped if it was asked in time (prepareDialog): what Qt works out from the
// window tree while the manager is still framing the window can be any size, the
// frame's at that moment. Elsewhere as Qt knows it.
std::optional<QMargins> frameOf(const QWidget *window) {
    const QWindow *handle = window->windowHandle();
    if (!handle || !handle->handle()) return std::nullopt;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return X11WindowManager::frameExtents(handle);
    return handle->frameMargins();
}

// A dialog at its first showing gives an X window manager that answers the question of
// its frame a moment to answer, once; a manager that does not answer holds it up no longer.
void awaitFrameAnswer(QWidget *window) {
    QWindow *handle = window->windowHandle();
    if (!handle || !handle->handle() || handle->property("frameAwaited").toBool()) return;
    handle->setProperty("frameAwaited", true);
    if (!X11WindowManager::answersFrameRequests(handle)) return;
    QElapsedTimer waited;
    waited.start();
    while (!X11WindowManager::frameExtents(handle) && waited.elapsed() < FrameAnswerWaitMs)
        QThread::msleep(5);
}

// The screen a dialog belongs on: the one its owner, the game's main window, stands on.
QRect screenAreaFor(const QWidget *window) {
    const QWindow *handle = window->windowHandle();
    const QWindow *owner = handle ? handle->transientParent() : nullptr;
    const QScreen *screen = owner ? owner->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

// Where the window's client area goes so that its frame is centred on the screen; a
// frame larger than the screen keeps its top-left corner on it, caption and all.
QPoint centredPosition(const QWidget *window, const QMargins &frame) {
    const QRect area = screenAreaFor(window);
    const QSize outer = window->size().grownBy(frame);
    return QPoint(area.x() + std::max(0, (area.width() - outer.width()) / 2) + frame.left(),
                  area.y() + std::max(0, (area.height() - outer.height()) / 2) + frame.top());
}

// Centres a dialog again once its frame is known after a showing, should it differ from
// the one it was placed with: where the X window manager does not say a dialog's frame
// before the dialog is mapped, it says it while framing it, a moment after the dialog's
// first exposure at the latest.
class FrameCentring : public QObject {
public:
    explicit FrameCentring(QWidget *dialog) : QObject(dialog), m_dialog(dialog) {
        dialog->installEventFilter(this);
        m_poll.setInterval(FramePollMs);
        connect(&m_poll, &QTimer::timeout, this, [this] { centreOnceFramed(); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_dialog && event->type() == QEvent::Show && !event->spontaneous()) {
            m_pending = true;
            QWindow *window = m_dialog->windowHandle();
            if (window && window != m_window) {
                window->installEventFilter(this);
                m_window = window;
            }
        } else if (m_pending && watched == m_window && event->type() == QEvent::Expose &&
                   m_window->isExposed()) {
            m_pending = false;
            m_polls = 0;
            centreOnceFramed();
        } else if (watched == m_dialog && event->type() == QEvent::Hide) {
            m_poll.stop();
        }
        return false;
    }

private:
    static constexpr int FramePollMs = 10, FramePolls = 50;

    void centreOnceFramed() {
        const std::optional<QMargins> frame = frameOf(m_dialog);
        if (!frame && ++m_polls < FramePolls) {
            m_poll.start();
            return;
        }
        m_poll.stop();
        if (frame && m_dialog->isVisible() &&
            m_dialog->geometry().topLeft() != centredPosition(m_dialog, *frame))
            centreOnScreen(m_dialog);
    }

    QWidget *m_dialog;
    QPointer<QWindow> m_window; // Qt may give the dialog a new one for a showing
    bool m_pending = false;
    QTimer m_poll;
    int m_polls = 0;
};

} // namespace

void makePlainButton(QPushButton *button, const QRect &designGeometry) {
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(WindowLook::scaled(designGeometry));
}

void makeFixedDialog(QDialog *dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    new FrameCentring(dialog);
}

void prepareDialog(QDialog *dialog, QWidget *owner) {
    dialog->winId(); // the native window, made now
    QWindow *window = dialog->windowHandle();
    if (owner && owner->windowHandle()) window->setTransientParent(owner->windowHandle());
    X11WindowManager::requestFrameExtents(window);
}

void centreOnScreen(QWidget *window) {
    awaitFrameAnswer(window);
    const std::optional<QMargins> frame = frameOf(window);
    if (frame) lastFrame = *frame;
    window->setGeometry(QRect(centredPosition(window, frame.value_or(lastFrame)), window->size()));
}

void refuseMinimising(QWidget *dialog, QEvent *event) {
    if (event->type() != QEvent::WindowStateChange || !dialog->isMinimized()) return;
    QTimer::singleShot(0, dialog, [dialog] {
        if (dialog->isMinimized()) dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
    });
}

void rememberActiveWindow(QObject *owner, QPointer<QWidget> &previous) {
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, owner, [&previous] {
        if (QWidget *active = QApplication::activeWindow()) previous = active;
    });
}

} // namespace DialogWindow
