#include "analysis/Scoring.h"

#include "analysis/PairSet.h"
#include "game/GameRules.h"

#include <algorithm>
#include <cstdint>

namespace {

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

Progress progressAfter(Progress p, const TraceScore &score) {
    moveBar(p.pro1, score.matched);
    moveBar(p.pro2, -int64_t{score.penalty});

    // Up is tested first: a check that fills Pro1 refills Pro2 before it is looked at.
    if (p.pro1.position() >= p.pro1.maximum()) {
        p.pro1.setPosition(0);
        p.pro2.setPosition(p.pro2.maximum());
        p.level = clampedSum(p.level, +1, INT32_MIN, GameRules::HighestLevel);
    }
    if (p.pro2.position() < 1) {
        p.pro1.setPosition(0);
        p.pro2.setPosition(p.pro2.maximum());
        p.level = clampedSum(p.level, -1, GameRules::LowestLevel, INT32_MAX);
    }
    return p;
}
