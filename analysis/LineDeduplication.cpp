#include "analysis/LineDeduplication.h"

namespace {

bool allNonZero(const LineTable &t, int slot) {
    return t.X1[slot] != 0 && t.Y1[slot] != 0 && t.X2[slot] != 0 && t.Y2[slot] != 0;
}

bool sameLine(const LineTable &t, int i, int j) {
    const bool sameDirection =
        t.X1[i] == t.X1[j] && t.X2[i] == t.X2[j] && t.Y1[i] == t.Y1[j] && t.Y2[i] == t.Y2[j];
    const bool reversed =
        t.X1[i] == t.X2[j] && t.X2[i] == t.X1[j] && t.Y1[i] == t.Y2[j] && t.Y2[i] == t.Y1[j];
    return sameDirection || reversed;
}

void empty(LineTable &t, int slot) {
    t.X1[slot] = t.Y1[slot] = t.X2[slot] = t.Y2[slot] = 0;
}

void redrawPlayerLines(GameState &g, Canvas &canvas, QColor background) {
    Clear(canvas, g, background);
    // The pen stays as wide as Clear leaves it.
    canvas.setPenColor(QColor(BoardColors::Player));
    canvas.setPenMode(Canvas::PenMode::Copy);
    const LineTable &t = g.DrawnLines;
    for (int k = 1; k <= LineTable::Slots; ++k)
        if (t.X1[k] != 0 && t.Y1[k] != 0) drawGridLine(canvas, g, t, k);
}

} // namespace

bool CheckArray(GameState &g, Canvas &canvas, QColor background) {
    LineTable &t = g.DrawnLines;
    bool removed = false;
    for (int i = 1; i < LineTable::Slots; ++i) {
        for (int j = i + 1; j <= LineTable::Slots; ++j) {
            if (!allNonZero(t, i) || !allNonZero(t, j)) continue;
            if (sameLine(t, i, j)) {
                empty(t, i);
                empty(t, j);
                removed = true;
            }
        }
    }
    if (removed) redrawPlayerLines(g, canvas, background);
    return removed;
}
