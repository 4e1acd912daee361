#pragma once

#include "geometry/plane.h"
#include "geometry/vec3.h"

#include <optional>
#include <span>
#include <vector>

namespace vorn {

// One face of a convex hull: its plane, facing out, and its corners as indices into the points the
// hull was made of, counter-clockwise seen from outside.
struct HullFace {
    DPlane plane;
    std::vector<int> corners;
};

// The convex hull of the points, in double precision: its planar faces, the triangles that lie in
// one plane joined. A point within `onPlane` of the hull counts as inside it, and a corner within
// `onPlane` of the line through its neighbours is left out. None when the points hold no volume:
// all of them lie within `onPlane` of one plane.
std::optional<std::vector<HullFace>> ConvexHull(std::span<const DVec3> points, double onPlane);

} // namespace vorn
