#pragma once

#include "game/GameState.h"

// Takes back a line the player entered twice: two slots holding the same segment, in the
// same or the opposite direction, are both emptied in place, so that the slots after them
// keep their places. Slots with a coordinate of 0 are never compared. Returns whether
// something was removed.
bool takeBackRepeatedLine(LineTable &lines);
