#include "settings/FormSet.h"

#include "game/GameState.h"

FormSet::FormSet(GameState &state, Form1 *mainWindow) : g(state), m_mainWindow(mainWindow) {
    FormCreate();
}

void FormSet::FormCreate() {
    g.levels.load(g.Liniy_level, g.Range_level);
}
