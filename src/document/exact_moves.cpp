#include "document/exact_moves.h"

#include "geometry/brush.h"

#include <cmath>
#include <cstdint>

namespace vorn {
namespace {

// Whole numbers this large and their sums and differences stay exact in single precision.
constexpr float kLargestCorner = 1 << 22;
// Plane points on a 1/256 grid this large stay exact in double precision through moves.
constexpr double kPlanePointSteps = 256;
constexpr double kLargestPlanePoint = double{std::int64_t{1} << 40};

bool wholeAndSmall(float v)
{
    return std::trunc(v) == v && std::fabs(v) <= kLargestCorner;
}

bool wholeAndSmall(Vec3 v)
{
    return wholeAndSmall(v.x) && wholeAndSmall(v.y) && wholeAndSmall(v.z);
}

bool onFineGrid(const DVec3& p)
{
    for (const double v : {p.x, p.y, p.z}) {
        const double steps = v * kPlanePointSteps;
        if (std::trunc(steps) != steps || std::fabs(v) > kLargestPlanePoint) return false;
    }
    return true;
}

} // namespace

bool MovesBackExactly(const CQBrush& brush, Vec3 offset, Vec3 back, bool planesToo)
{
    if (!wholeAndSmall(offset) || !wholeAndSmall(back - offset)) return false;
    if (!wholeAndSmall(brush.mins()) || !wholeAndSmall(brush.maxs())) return false;
    for (const CQFace& face : brush.faces()) {
        const PlanePoints::Points points = face.planepts.points();
        for (const DVec3& p : points) {
            if (!onFineGrid(p)) return false;
        }
        if (face.winding) {
            for (const Vec3& p : face.winding->points()) {
                if (!wholeAndSmall(p)) return false;
            }
        }
        if (!planesToo) continue;
        const auto plane = PlanePoints::PlaneThrough(points);
        if (plane && ToFloat(*plane) != face.plane) return false;
    }
    return true;
}

} // namespace vorn
