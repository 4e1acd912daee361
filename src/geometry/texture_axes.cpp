#include "geometry/texture_axes.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

// For each axis plane: the normal it stands for, then the texture's s and t directions on it.
constexpr DVec3 kBaseAxes[6][3] = {
    {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},  // floor
    {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}, // ceiling
    {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}},  // west wall
    {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}, // east wall
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  // south wall
    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}}, // north wall
};

// Rotations this close to a whole degree are taken as it: the standard format keeps whole degrees.
constexpr double kWholeDegree = 1e-4;
constexpr double kTiny = 1e-9;

// The first axis plane whose normal lies nearest the face's.
int baseFor(const CQFace& face)
{
    int best = 0;
    float bestDot = 0;
    for (int i = 0; i < 6; ++i) {
        const float d = Dot(face.plane.normal, ToFloat(kBaseAxes[i][0]));
        if (d > bestDot) {
            bestDot = d;
            best = i;
        }
    }
    return best;
}

int nonZeroAxis(DVec3 v)
{
    return v.x != 0 ? 0 : v.y != 0 ? 1 : 2;
}

} // namespace

TextureAxes StandardAxes(const CQFace& face)
{
    const int base = baseFor(face);
    TextureAxes result{{kBaseAxes[base][1], kBaseAxes[base][2]}, {face.shift[0], face.shift[1]}};
    const int sv = nonZeroAxis(result.axis[0]);
    const int tv = nonZeroAxis(result.axis[1]);
    const auto [s, c] = SinCosOfDegrees(face.rotation);
    for (DVec3& axis : result.axis) {
        const double ns = c * axis[sv] - s * axis[tv];
        const double nt = s * axis[sv] + c * axis[tv];
        axis[sv] = ns;
        axis[tv] = nt;
    }
    return result;
}

TextureAxes AxesOf(const CQFace& face)
{
    return face.axes ? *face.axes : StandardAxes(face);
}

double ScaleOf(const CQFace& face, int k)
{
    const double scale = face.scale[static_cast<size_t>(k)];
    return scale != 0 ? scale : 1.0;
}

std::array<double, 2> TexelAt(const CQFace& face, DVec3 p)
{
    const TextureAxes axes = AxesOf(face);
    return {Dot(p, axes.axis[0]) / ScaleOf(face, 0) + axes.offset[0], Dot(p, axes.axis[1]) / ScaleOf(face, 1) + axes.offset[1]};
}

StandardTexture StandardFromAxes(const CQFace& face)
{
    if (!face.axes) return {face.rotation, face.shift, face.scale};
    const TextureAxes& axes = *face.axes;
    StandardTexture result{face.rotation, axes.offset, face.scale};

    // The projection reads each point by its coordinates across the base axis. On the face, the
    // coordinate along that axis follows from the others, so an axis reads the face's points as its
    // part across the base axis does once the normal has taken up its part along it: that
    // part, times the plane's distance, joins the offset.
    const int base = baseFor(face);
    const int normalAxis = nonZeroAxis(kBaseAxes[base][0]);
    const auto plane = face.planepts.plane();
    const DVec3 n = plane ? plane->normal : ToDouble(face.plane.normal);
    const double dist = plane ? plane->dist : face.plane.dist;
    std::array<DVec3, 2> across{};
    for (size_t k = 0; k < 2; ++k) {
        const double along = axes.axis[k][normalAxis] / n[normalAxis];
        across[k] = axes.axis[k] - n * along;
        across[k][normalAxis] = 0;
        result.shift[k] += along * dist / ScaleOf(face, static_cast<int>(k));
    }
    const DVec3& u = across[0];
    const DVec3& v = across[1];
    const double uLength = Length(u);
    if (uLength < kTiny) return result; // the texture runs along the projection: keep the rotation

    // The turn that brings the base s direction onto u.
    const DVec3 s0 = kBaseAxes[base][1];
    const DVec3 t0 = kBaseAxes[base][2];
    const int sv = nonZeroAxis(s0);
    const int tv = nonZeroAxis(t0);
    double degrees = std::atan2(u[tv] * s0[sv], u[sv] * s0[sv]) / kRadiansPerDegree;
    if (std::fabs(degrees - std::round(degrees)) < kWholeDegree) degrees = std::round(degrees);
    result.rotation = degrees;

    // The turned t direction, and how far v runs along it.
    const auto [s, c] = SinCosOfDegrees(degrees);
    DVec3 t{};
    t[sv] = -s * t0[tv];
    t[tv] = c * t0[tv];
    const double vAlong = Dot(v, t);
    result.scale[0] = ScaleOf(face, 0) / uLength;
    if (std::fabs(vAlong) > kTiny) result.scale[1] = ScaleOf(face, 1) / vAlong;
    return result;
}

void MoveTextureWith(CQFace& face, DVec3 offset)
{
    // A move changes neither the plane nor the projection: only the offsets (shifts) follow.
    const TextureAxes axes = AxesOf(face);
    for (size_t k = 0; k < 2; ++k) {
        const double by = Dot(offset, axes.axis[k]) / ScaleOf(face, static_cast<int>(k));
        if (face.axes) {
            face.axes->offset[k] -= by;
        } else {
            face.shift[k] -= by;
        }
    }
}

void StretchTextureWith(CQFace& face, DVec3 factors)
{
    if (!face.axes || factors.x == 0 || factors.y == 0 || factors.z == 0) return;
    // A point p goes to S p; the axis a/k must become S⁻¹a/k to give S p the texel p had.
    for (int k = 0; k < 2; ++k) {
        DVec3& axis = face.axes->axis[static_cast<size_t>(k)];
        const DVec3 stretched{axis.x / factors.x, axis.y / factors.y, axis.z / factors.z};
        const double length = Length(stretched);
        if (length < kTiny) continue;
        axis = stretched * (1.0 / length);
        face.scale[static_cast<size_t>(k)] = ScaleOf(face, k) / length;
    }
}

double TexelDistance(const CQFace& face, const CQFace& other)
{
    double farthest = 0;
    if (!face.winding) return farthest;
    for (const Vec3& corner : face.winding->points()) {
        const auto a = TexelAt(face, ToDouble(corner));
        const auto b = TexelAt(other, ToDouble(corner));
        farthest = std::max({farthest, std::fabs(a[0] - b[0]), std::fabs(a[1] - b[1])});
    }
    return farthest;
}

void LendAxes(CQFace& face)
{
    face.axes = StandardAxes(face);
}

bool ReturnAxes(CQFace& face)
{
    constexpr double kTexelTolerance = 0.01;
    const CQFace carried = face;
    const StandardTexture texture = StandardFromAxes(face);
    face.axes.reset();
    face.rotation = texture.rotation;
    face.shift = texture.shift;
    face.scale = texture.scale;
    return TexelDistance(carried, face) <= kTexelTolerance;
}

} // namespace vorn
