#include "analysis/CheckOnState.h"

#include "analysis/LineDecomposition.h"
#include "analysis/Scoring.h"

#include <algorithm>

void traceLines(GameState &g, const LineTable &lines) {
    const Decomposition d = decomposeLines(lines, g.LineCount, g.CellW);
    g.TraceWork = d.trace;
    g.TraceCount = d.written + 1;
}

void keepTrace(const Trace &work, Trace &kept) {
    std::copy_n(work.A.begin() + 1, Trace::Kept, kept.A.begin() + 1);
    std::copy_n(work.B.begin() + 1, Trace::Kept, kept.B.begin() + 1);
}

void moveBarsAndLevel(GameState &g) {
    const Progress after = progressAfter({g.Pro1, g.Pro2, g.Level}, scoreTraces(g.TaskTrace, g.DrawnTrace));
    g.Pro1 = after.pro1;
    g.Pro2 = after.pro2;
    g.Level = after.level;
}

void takeLevelSize(GameState &g) {
    g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
    g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
}
