#pragma once

#include "board/Form1.h"
#include "settings/FormA.h"
#include "settings/FormSet.h"

#include <memory>

// The game's three windows, alive until the end of the run: the main window (which loads
// the settings), the settings dialog (which fills the level table from them) and the
// About box. The main window is destroyed first, which writes the settings back.
//
// The main window's first frame comes first: the level table is read at once, but the
// two dialogs and the main window's framing pictures are made right after that frame,
// which then comes sooner. Nobody can open a dialog before then. A store that will not
// take the run's values at the end is announced right after that frame, before the first
// task.
class Game {
public:
    explicit Game(GameState &state);
    ~Game();

    // Shows the main window over the whole screen, through the window system's
    // full-screen state.
    void start();
    // Whether what follows the first frame has been made.
    bool started() const { return m_formSet != nullptr; }

    // A later start asked for this game: its windows come to the front, the one that takes
    // the player's input active. `activationToken` is the later start's launcher's, which a
    // Wayland compositor asks for before it hands over the focus.
    void comeToFront(const QByteArray &activationToken);

    Form1 &form1() { return *m_form1; }
    FormSet &formSet() { return *m_formSet; }
    FormA &formA() { return *m_formA; }

private:
    void createDialogs();

    GameState &g;
    QString m_unsavableWarning; // found right after the store was read
    std::unique_ptr<FormA> m_formA;
    std::unique_ptr<FormSet> m_formSet;
    std::unique_ptr<Form1> m_form1;
};
