// The main window's scoring methods: the rules of analysis/ on the game state, with the
// board and the score bars that show their outcome.
#include "board/BoardDrawing.h"
#include "board/Form1.h"

#include "analysis/CheckOnState.h"
#include "analysis/LineDeduplication.h"

void Form1::M_A_Rxy(const LineTable &lines) {
    traceLines(g, lines);
}

void Form1::CheckArray() {
    if (!takeBackRepeatedLine(g.DrawnLines)) return;
    // The lines left are drawn again in the player's colour, with the 6-pixel pen that the
    // empty board leaves.
    drawEmptyBoard(canvas(), gridOf(g), palette().color(QPalette::Window));
    canvas().setPenColor(QColor(BoardColors::Player));
    canvas().setPenMode(Canvas::PenMode::Copy);
    const LineTable &t = g.DrawnLines;
    for (int k = 1; k <= LineTable::Slots; ++k)
        if (t.X1[k] != 0 && t.Y1[k] != 0) drawGridLine(canvas(), gridOf(g), t, k);
    PaintB->update();
}

void Form1::HowMuchErrors() {
    moveBarsAndLevel(g);
    // The bars show what the check did even when a level-table cell fails.
    showScoreBars();
    takeLevelSize(g);
}
