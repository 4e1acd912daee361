#include "geometry/plane.h"

namespace vorn {

std::optional<Plane> PlaneFromPoints(Vec3 p0, Vec3 p1, Vec3 p2)
{
    Vec3 normal = Cross(p0 - p1, p2 - p1);
    if (normal == kOrigin) return std::nullopt;
    Normalize(normal);
    return Plane{normal, Dot(p1, normal)};
}

} // namespace vorn
