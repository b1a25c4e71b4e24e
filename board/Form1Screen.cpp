// The main window follows the screen under it: when the screen changes size (a laptop
// docked or undocked, a monitor turned, xrandr) or the window moves to another screen,
// the window covers that screen again, the board is laid out for it and the task and the
// player's lines are shown at the new scale. An open dialog is centred again over it.
#include "board/Form1.h"

#include "board/DialogWindow.h"
#include "board/X11WindowManager.h"
#include "game/ErrorHandler.h"
#include "settings/FormA.h"
#include "settings/FormSet.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>
#include <utility>

void Form1::watchScreen(QScreen *screen) {
    disconnect(m_screenWatch);
    if (screen)
        m_screenWatch = connect(screen, &QScreen::geometryChanged, this,
                                [this] { runGuarded([this] { followScreen(); }); });
}

void Form1::followScreen() {
    coverScreen();
    // The layout may size the window, which would run it again from the resize event.
    const auto restore =
        qScopeGuard([this, nested = std::exchange(m_inLayout, true)] { m_inLayout = nested; });
    layOutAgain();
    for (QWidget *dialog : {static_cast<QWidget *>(m_formSet), static_cast<QWidget *>(m_formA)})
        if (dialog && dialog->isVisible()) DialogWindow::centreOnScreen(dialog);
}

// A window manager keeps a full-screen window over its screen, a Wayland compositor
// too; on X without a manager nobody does but the program.
void Form1::coverScreen() {
    QWindow *window = windowHandle();
    if (!isFullScreen() || !window || !window->screen()) return;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || X11WindowManager::running(window)) return;
    // Through the native window: a move of the widget would leave the full-screen state.
    if (window->geometry() != window->screen()->geometry()) window->setGeometry(window->screen()->geometry());
}

void Form1::layOutAgain() {
    const Canvas::Batch drawing(canvas());
    const int32_t cellW = g.CellW;
    FormResize();
    // The task's trace holds its sample points in pixels of the board, to be compared at
    // Check with the drawing's, which are taken then: at a new scale it is taken again,
    // so that the lines drawn before the change still count.
    if (g.CellW != cellW && g.Phase != PhaseIdle) traceTask();
    FormPaint();
}
