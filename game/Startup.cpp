#include "game/Startup.h"

#include "board/WindowDesign.h"
#include "settings/CaptionBar.h"

Game::Game(GameState &state) : g(state) {
    m_form1 = std::make_unique<Form1>(state);
    // New and Check look levels up before the settings dialog, which holds the table,
    // exists.
    g.levels.load(g.Liniy_level, g.Range_level);
    m_form1->afterFirstFrame([this] {
        createDialogs();
        m_form1->english(); // what the first activation gave the main window, now for all
        m_form1->loadPictures();
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
    WindowDesign::prepareDialog(m_formSet.get(), m_form1.get());
    WindowDesign::prepareDialog(m_formA.get(), m_form1.get());
    m_formSet->setAboutBox(m_formA.get());
    m_form1->setDialogs(m_formSet.get(), m_formA.get());
    m_formA->belongTo(m_form1.get(), m_formSet.get());
}

Game::~Game() {
    // The main window goes first: its destruction saves the settings.
    m_form1.reset();
    m_formSet.reset();
    m_formA.reset();
}
