#pragma once

#include <cstdint>

// The limits of a game that scoring, the settings dialog and the settings store all keep.
namespace GameRules {

// Scoring climbs no higher, and the settings dialog offers no higher level.
constexpr int32_t HighestLevel = 15;
constexpr int32_t LowestLevel = 1;

// The smallest task: a grid of 3 points a side and 3 lines, whatever the store or the
// level table say.
constexpr int32_t SmallestRange = 3;
constexpr int32_t FewestLines = 3;

// The shortest showing of a task, in seconds.
constexpr int32_t ShortestShowing = 1;

} // namespace GameRules
