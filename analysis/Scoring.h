#pragma once

#include "game/GameState.h"

// The score of one check: every non-empty sample of the task (entry A not 0) found
// among the drawing's samples earns 1, every one missing costs 4. Only entries
// 1..Trace::Kept of both traces take part.
struct TraceScore {
    int32_t matched = 0;
    int32_t penalty = 0;
};
TraceScore scoreTraces(const Trace &task, const Trace &drawn);

// Where the player stands: the success bar Pro1, the reserve bar Pro2 and the level.
struct Progress {
    ScoreBar pro1;
    ScoreBar pro2;
    int32_t level = 0;
};

// The standing after a check: matched points raise Pro1, the penalty lowers Pro2. A full
// Pro1 takes the player one level up (at most 15), an empty Pro2 one level down (at
// least 1), and either restarts both bars.
Progress progressAfter(Progress progress, const TraceScore &score);
