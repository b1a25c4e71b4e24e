#pragma once

#include <QDialog>

struct GameState;
class Form1;

// The settings dialog: the showing time and the level, with the level's grid size and
// line count. It holds the level table for the whole run.
class FormSet : public QDialog {
public:
    FormSet(GameState &state, Form1 *mainWindow);

    void FormCreate(); // the fill routine

private:
    GameState &g;
    Form1 *m_mainWindow;
};
