#pragma once

#include "geometry/vec3.h"

#include <optional>

namespace vorn {

// A point p lies on the plane when Dot(normal, p) == dist; in front when it is greater.
struct Plane {
    Vec3 normal;
    float dist = 0;

    Plane reversed() const { return {-normal, -dist}; }
    float distanceTo(Vec3 p) const { return Dot(normal, p) - dist; }

    friend bool operator==(const Plane&, const Plane&) = default;
};

// The plane through three points, its normal along (p0 - p1) x (p2 - p1); none when the
// points are collinear (the cross product is exactly zero).
std::optional<Plane> PlaneFromPoints(Vec3 p0, Vec3 p1, Vec3 p2);

} // namespace vorn
