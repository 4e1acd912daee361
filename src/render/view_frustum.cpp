#include "render/view_frustum.h"

namespace vorn {

ViewFrustum::ViewFrustum(Vec3 eye, Vec3 forward, Vec3 right, Vec3 up, float halfWidth, float halfHeight,
                         float nearDistance, float farDistance)
{
    const auto through = [&](Vec3 normal, float beyondEye) { return Side{normal, Dot(normal, eye) + beyondEye}; };
    sides_ = {through(right - forward * halfWidth, 0),  through(-right - forward * halfWidth, 0),
              through(up - forward * halfHeight, 0),    through(-up - forward * halfHeight, 0),
              through(-forward, -nearDistance),         through(forward, farDistance)};
}

bool ViewFrustum::mayShow(const Bounds& box) const
{
    for (const Side& side : sides_) {
        // The corner of the box furthest inside this side.
        Vec3 inmost;
        for (int axis = 0; axis < 3; ++axis) inmost[axis] = side.normal[axis] >= 0 ? box.mins[axis] : box.maxs[axis];
        if (Dot(side.normal, inmost) > side.limit) return false;
    }
    return true;
}

} // namespace vorn
