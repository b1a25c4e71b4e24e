#pragma once

// Line tables written the short way in tests: slot n + 1 holds lines[n], a null line is
// an empty slot.

#include "game/GameState.h"

#include <QLine>
#include <QList>

inline void setLine(LineTable &t, int slot, QLine l) {
    t.X1[slot] = l.x1();
    t.Y1[slot] = l.y1();
    t.X2[slot] = l.x2();
    t.Y2[slot] = l.y2();
}

inline QLine lineAt(const LineTable &t, int slot) {
    return QLine(t.X1[slot], t.Y1[slot], t.X2[slot], t.Y2[slot]);
}

inline LineTable tableOf(const QList<QLine> &lines) {
    LineTable t;
    for (int n = 1; n <= lines.size(); ++n)
        setLine(t, n, lines[n - 1]);
    return t;
}
