#include "game/Startup.h"

Game::Game(GameState &state) {
    m_form1 = std::make_unique<Form1>(state);
    m_formSet = std::make_unique<FormSet>(state, m_form1.get());
    m_formA = std::make_unique<FormA>(state);
    m_form1->setDialogs(m_formSet.get(), m_formA.get());
}

Game::~Game() {
    // The main window goes first: its destruction saves the settings.
    m_form1.reset();
    m_formSet.reset();
    m_formA.reset();
}
