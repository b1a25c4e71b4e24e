// The main window's scoring methods: the rules of analysis/ on the game state, with the
// board and the score bars that show their outcome.
#include "board/BoardDrawing.h"
#include "board/Form1.h"

#include "analysis/LineDecomposition.h"
#include "analysis/LineDeduplication.h"
#include "analysis/Scoring.h"

void Form1::M_A_Rxy(const LineTable &lines) {
    const Decomposition d = decomposeLines(lines, g.LineCount, g.CellW);
    g.TraceWork = d.trace;
    g.TraceCount = d.written + 1;
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
    const Progress after = progressAfter({g.Pro1, g.Pro2, g.Level}, scoreTraces(g.TaskTrace, g.DrawnTrace));
    g.Pro1 = after.pro1;
    g.Pro2 = after.pro2;
    g.Level = after.level;
    // The bars show what the check did even when a level-table cell fails.
    showScoreBars();
    g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
    g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
}
