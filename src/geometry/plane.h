#pragma once

#include "geometry/vec3.h"

#include <optional>

namespace vorn {

// A point p lies on the plane when Dot(normal, p) == dist; in front when it is greater.
template <typename T>
struct BasicPlane {
    BasicVec3<T> normal;
    T dist = 0;

    BasicPlane reversed() const { return {-normal, -dist}; }
    T distanceTo(BasicVec3<T> p) const { return Dot(normal, p) - dist; }

    friend bool operator==(const BasicPlane&, const BasicPlane&) = default;
};

using Plane = BasicPlane<float>;
using DPlane = BasicPlane<double>;

inline Plane ToFloat(const DPlane& p) { return {ToFloat(p.normal), static_cast<float>(p.dist)}; }

// The plane through three points, its normal along (p0 - p1) x (p2 - p1); none when the
// points are collinear (the cross product is exactly zero).
template <typename T>
std::optional<BasicPlane<T>> PlaneFromPoints(BasicVec3<T> p0, BasicVec3<T> p1, BasicVec3<T> p2)
{
    BasicVec3<T> normal = Cross(p0 - p1, p2 - p1);
    if (normal == BasicVec3<T>{}) return std::nullopt;
    Normalize(normal);
    return BasicPlane<T>{normal, Dot(p1, normal)};
}

} // namespace vorn
