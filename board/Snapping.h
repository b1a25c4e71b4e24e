#pragma once

#include <cstdint>

// The grid index nearest to a board pixel along one axis: (pixel + cell div 2) div cell,
// truncated toward zero, then clamped to 1..range. Every position snaps to some point;
// a position half-way between two points goes to the higher one.
constexpr int32_t snapToGrid(int32_t pixel, int32_t cell, int32_t range) {
    // A board too small to hold the grid has no spacing; its points all lie at index 1.
    int32_t index = cell > 0 ? (pixel + cell / 2) / cell : 1;
    if (index < 1) index = 1;
    if (index > range) index = range;
    return index;
}
