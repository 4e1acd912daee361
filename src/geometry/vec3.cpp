#include "geometry/vec3.h"

namespace vorn {

SinCos SinCosOfDegrees(double degrees)
{
    if (std::fmod(degrees, 90.0) == 0) {
        static constexpr SinCos kQuarterTurns[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
        const long turns = std::lround(degrees / 90.0) % 4;
        return kQuarterTurns[turns < 0 ? turns + 4 : turns];
    }
    const double radians = degrees * kRadiansPerDegree;
    return {std::sin(radians), std::cos(radians)};
}

void RotateAboutZ(DVec3& v, double degrees)
{
    const auto [s, c] = SinCosOfDegrees(degrees);
    v = {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

void RotateAboutX(DVec3& v, double degrees)
{
    const auto [s, c] = SinCosOfDegrees(degrees);
    v = {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

void RotateAboutY(DVec3& v, double degrees)
{
    const auto [s, c] = SinCosOfDegrees(degrees);
    v = {v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
}

void ScaleAxes(DVec3& v, double sx, double sy, double sz)
{
    v = {v.x * sx, v.y * sy, v.z * sz};
}

} // namespace vorn
