#include "analysis/LineDeduplication.h"

namespace {

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

} // namespace

bool takeBackRepeatedLine(LineTable &t) {
    bool removed = false;
    for (int i = 1; i < LineTable::Slots; ++i) {
        for (int j = i + 1; j <= LineTable::Slots; ++j) {
            if (!t.isComplete(i) || !t.isComplete(j)) continue;
            if (sameLine(t, i, j)) {
                empty(t, i);
                empty(t, j);
                removed = true;
            }
        }
    }
    return removed;
}
