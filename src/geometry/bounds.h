#pragma once

#include "geometry/vec3.h"

#include <algorithm>
#include <optional>

namespace vorn {

// A box in map units.
struct Bounds {
    Vec3 mins;
    Vec3 maxs;

    // Grows to hold the other box too.
    void include(const Bounds& other)
    {
        for (int axis = 0; axis < 3; ++axis) {
            mins[axis] = std::min(mins[axis], other.mins[axis]);
            maxs[axis] = std::max(maxs[axis], other.maxs[axis]);
        }
    }
};

// Grows `all` to hold `box` too; `box` alone when `all` holds nothing yet.
inline void Include(std::optional<Bounds>& all, const Bounds& box)
{
    if (all) {
        all->include(box);
    } else {
        all = box;
    }
}

} // namespace vorn
