#pragma once

#include "board/Form1.h"
#include "settings/FormA.h"
#include "settings/FormSet.h"

#include <memory>

// The game's three windows, created once in this order and alive until the end of the
// run: the main window (which loads the settings), the settings dialog (which fills the
// level table from them) and the About box. The main window is destroyed first, which
// writes the settings back.
//
// The program itself starts the main window's first frame first: the level table is
// read at once, but the two dialogs and the main window's framing pictures are made
// right after that frame, which then comes sooner. Nobody can open a dialog before then.
class Game {
public:
    enum class Start { AllAtOnce, FirstFrameFirst };

    explicit Game(GameState &state, Start start = Start::AllAtOnce);
    ~Game();

    Form1 &form1() { return *m_form1; }
    FormSet &formSet() { return *m_formSet; }
    FormA &formA() { return *m_formA; }

private:
    void createDialogs();

    GameState &g;
    std::unique_ptr<FormA> m_formA;
    std::unique_ptr<FormSet> m_formSet;
    std::unique_ptr<Form1> m_form1;
};
