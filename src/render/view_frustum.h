#pragma once

#include "geometry/bounds.h"
#include "geometry/vec3.h"

#include <array>

namespace vorn {

// The part of scene space a camera shows: between its near and far planes and inside the four
// sides of its window.
class ViewFrustum {
public:
    // The camera at `eye` looking along `forward`, with `right` and `up` across the window (all
    // three unit vectors), the window's half-width and half-height at distance 1, and the near
    // and far distances along `forward`.
    ViewFrustum(Vec3 eye, Vec3 forward, Vec3 right, Vec3 up, float halfWidth, float halfHeight, float nearDistance,
                float farDistance);

    // False for a box wholly outside; a box outside near an edge of the frustum may still pass.
    bool mayShow(const Bounds& box) const;

private:
    // A point is outside where Dot(normal, point) > limit.
    struct Side {
        Vec3 normal;
        float limit = 0;
    };
    std::array<Side, 6> sides_;
};

} // namespace vorn
