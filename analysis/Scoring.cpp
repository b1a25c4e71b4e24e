#include "analysis/Scoring.h"

#include "analysis/PairSet.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int32_t TopLevel = 15;
constexpr int32_t BottomLevel = 1;
constexpr int32_t MissedPointCost = 4;

// Positions and levels come from stored settings too: step in 64 bits, then cut back.
int32_t clampedSum(int32_t value, int64_t delta, int64_t low, int64_t high) {
    return static_cast<int32_t>(std::clamp(int64_t{value} + delta, low, high));
}

void moveBar(ScoreBar &bar, int64_t delta) {
    bar.setPosition(clampedSum(bar.position(), delta, INT32_MIN, INT32_MAX));
}

} // namespace

TraceScore scoreTraces(const Trace &task, const Trace &drawn) {
    PairSet drawnPairs(Trace::Kept);
    for (int d = 1; d <= Trace::Kept; ++d)
        if (drawn.A[d] != 0) drawnPairs.insert(drawn.A[d], drawn.B[d]);

    TraceScore score;
    for (int t = 1; t <= Trace::Kept; ++t) {
        if (task.A[t] == 0) continue;
        if (drawnPairs.contains(task.A[t], task.B[t]))
            score.matched += 1;
        else
            score.penalty += MissedPointCost;
    }
    return score;
}

void HowMuchErrors(GameState &g) {
    const TraceScore score = scoreTraces(g.TaskTrace, g.DrawnTrace);
    moveBar(g.Pro1, score.matched);
    moveBar(g.Pro2, -int64_t{score.penalty});

    // Up is tested first: a check that fills Pro1 refills Pro2 before it is looked at.
    if (g.Pro1.position() >= g.Pro1.maximum()) {
        g.Pro1.setPosition(0);
        g.Pro2.setPosition(g.Pro2.maximum());
        g.Level = clampedSum(g.Level, +1, INT32_MIN, TopLevel);
    }
    if (g.Pro2.position() < 1) {
        g.Pro1.setPosition(0);
        g.Pro2.setPosition(g.Pro2.maximum());
        g.Level = clampedSum(g.Level, -1, BottomLevel, INT32_MAX);
    }

    g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
    g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
}
