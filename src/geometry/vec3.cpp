#include "geometry/vec3.h"

namespace vorn {
namespace {

struct SinCos {
    float s;
    float c;
};

SinCos sinCosOfDegrees(float degrees)
{
    const double radians = degrees * kRadiansPerDegree;
    return {static_cast<float>(std::sin(radians)), static_cast<float>(std::cos(radians))};
}

} // namespace

void RotateAboutZ(Vec3& v, float degrees)
{
    const auto [s, c] = sinCosOfDegrees(degrees);
    v = {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

void RotateAboutX(Vec3& v, float degrees)
{
    const auto [s, c] = sinCosOfDegrees(degrees);
    v = {v.x, v.y * c - v.z * s, v.y * s + v.z * c};
}

void RotateAboutY(Vec3& v, float degrees)
{
    const auto [s, c] = sinCosOfDegrees(degrees);
    v = {v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
}

void ScaleAxes(Vec3& v, float sx, float sy, float sz)
{
    v = {v.x * sx, v.y * sy, v.z * sz};
}

} // namespace vorn
