// The main window's scoring methods: the board and the score bars around the plain
// functions of the game state.
#include "board/Form1.h"

#include "analysis/LineDecomposition.h"
#include "analysis/LineDeduplication.h"
#include "analysis/Scoring.h"

void Form1::M_A_Rxy(const LineTable &lines) {
    ::M_A_Rxy(g, lines);
}

void Form1::CheckArray() {
    if (::CheckArray(g, canvas(), palette().color(QPalette::Window))) PaintB->update();
}

void Form1::HowMuchErrors() {
    // The bars show what the check did even when a level-table cell fails.
    try {
        ::HowMuchErrors(g);
    } catch (...) {
        showScoreBars();
        throw;
    }
    showScoreBars();
}
