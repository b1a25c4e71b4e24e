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

// Scores g.DrawnTrace against g.TaskTrace: matched points raise Pro1, the penalty
// lowers Pro2. A full Pro1 takes the player one level up (at most 15), an empty Pro2
// one level down (at least 1), and either restarts both bars. Range and LineCount are
// then read again from the level table for the current Level. A cell that holds no
// integer raises GameError, leaving the bars and Level already updated.
void HowMuchErrors(GameState &g);
