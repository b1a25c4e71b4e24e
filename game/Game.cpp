#include "game/Game.h"

#include "board/CaptionBar.h"
#include "board/DialogWindow.h"
#include "game/ErrorHandler.h"
#include "settings/SettingsStore.h"

#include <QTimer>

Game::Game(GameState &state) : g(state) {
    m_form1 = std::make_unique<Form1>(state);
    m_unsavableWarning = unsavableStoreWarning();
    // New and Check look levels up before the settings dialog, which holds the table,
    // exists.
    g.levels.load(g.Liniy_level, g.Range_level);
    m_form1->afterFirstFrame([this] {
        createDialogs();
        m_form1->english(); // what the first activation gave the main window, now for all
        m_form1->loadPictures();
        // Once all this is done, the message box's own event loop runs.
        if (!m_unsavableWarning.isEmpty())
            QTimer::singleShot(0, m_form1.get(), [text = m_unsavableWarning] { reportError(text); });
    });
}

void Game::start() {
    m_form1->showFullScreen();
}

void Game::createDialogs() {
    m_formSet = std::make_unique<FormSet>(g, m_form1.get());
    m_formA = std::make_unique<FormA>();
    CaptionBar::replaceFrameOnWayland(m_formSet.get());
    CaptionBar::replaceFrameOnWayland(m_formA.get());
    // Both belong to the main window from now on, and their first showings are centred
    // like every later one.
    DialogWindow::prepareDialog(m_formSet.get(), m_form1.get());
    DialogWindow::prepareDialog(m_formA.get(), m_form1.get());
    m_formSet->setAboutBox(m_formA.get());
    m_form1->setDialogs(m_formSet.get(), m_formA.get());
    m_formA->belongTo(m_form1.get(), m_formSet.get());
}

void Game::comeToFront(const QByteArray &activationToken) {
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    m_form1->setWindowState(m_form1->windowState() & ~Qt::WindowMinimized);
    m_form1->raise();
    QWidget *input = QApplication::activeModalWidget();
    if (!input) input = m_form1.get();
    input->raise();
    input->activateWindow();
    // Without a window manager the X server takes the focus only with a time no older than
    // its last change of focus, and Qt asks with the time of the last event it saw. The
    // first request brings it events of its own; the second asks with their time.
    QTimer::singleShot(100, input, [input] { input->activateWindow(); });
}

Game::~Game() {
    // The main window goes first: its destruction saves the settings.
    m_form1.reset();
    m_formSet.reset();
    m_formA.reset();
}
