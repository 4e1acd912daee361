#pragma once

#include "geometry/vec3.h"

namespace vorn {

// Rounds to the nearest multiple of the grid, halves away from zero; a grid below 1 leaves v.
inline float SnapToGrid(float v, int gridSize)
{
    if (gridSize <= 0) return v;
    return RoundToInt(v / static_cast<float>(gridSize)) * static_cast<float>(gridSize);
}

} // namespace vorn
