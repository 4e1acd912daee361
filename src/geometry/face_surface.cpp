#include "geometry/face_surface.h"

#include "geometry/texture_axes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorn {
namespace {

constexpr double kTiny = 1e-9;

// Which way about the face's normal the standard projection turns a texture as its rotation grows:
// +1 or -1, so that faces with axes turn the same way.
double turnSense(const CQFace& face)
{
    CQFace standard = face;
    standard.axes.reset();
    standard.rotation = 0;
    const DVec3 a0 = StandardAxes(standard).axis[0];
    standard.rotation = 1;
    const DVec3 a1 = StandardAxes(standard).axis[0];
    return Dot(Cross(a0, a1), ToDouble(face.plane.normal)) >= 0 ? 1.0 : -1.0;
}

DVec3 turnedAbout(DVec3 v, DVec3 n, double degrees)
{
    const auto [s, c] = SinCosOfDegrees(degrees);
    return v * c + Cross(n, v) * s + n * (Dot(n, v) * (1 - c));
}

double& offsetOf(CQFace& face, size_t k)
{
    return face.axes ? face.axes->offset[k] : face.shift[k];
}

// The smallest offset that lays a texture `size` texels long as `offset` does.
double wrapped(double offset, int size)
{
    if (size <= 0) return offset;
    const double w = std::fmod(offset, size);
    return w == 0 ? 0.0 : w; // no -0 in the file
}

} // namespace

double SurfaceValue(const CQFace& face, SurfaceField field)
{
    switch (field) {
    case SurfaceField::OffsetX:
        return face.axes ? face.axes->offset[0] : face.shift[0];
    case SurfaceField::OffsetY:
        return face.axes ? face.axes->offset[1] : face.shift[1];
    case SurfaceField::ScaleX:
        return face.scale[0];
    case SurfaceField::ScaleY:
        return face.scale[1];
    case SurfaceField::Rotation:
        break;
    }
    return face.rotation;
}

void SetSurfaceValue(CQFace& face, SurfaceField field, double value)
{
    switch (field) {
    case SurfaceField::OffsetX:
        offsetOf(face, 0) = value;
        return;
    case SurfaceField::OffsetY:
        offsetOf(face, 1) = value;
        return;
    case SurfaceField::ScaleX:
        face.scale[0] = value;
        return;
    case SurfaceField::ScaleY:
        face.scale[1] = value;
        return;
    case SurfaceField::Rotation:
        break;
    }
    if (face.axes) {
        const double by = (value - face.rotation) * turnSense(face);
        const DVec3 n = ToDouble(face.plane.normal);
        for (DVec3& axis : face.axes->axis) axis = turnedAbout(axis, n, by);
    }
    face.rotation = value;
}

void ResetSurface(CQFace& face)
{
    face.rotation = 0;
    face.shift = {0, 0};
    face.scale = {1, 1};
    if (face.axes) {
        face.axes.reset();
        face.axes = StandardAxes(face);
    }
}

bool FitSurface(CQFace& face, TextureSizeSource::Size size, std::array<double, 2> counts)
{
    if (!face.winding || size.width <= 0 || size.height <= 0 || counts[0] <= 0 || counts[1] <= 0) return false;
    const TextureAxes axes = AxesOf(face);
    const std::array<int, 2> texels{size.width, size.height};
    for (size_t k = 0; k < 2; ++k) {
        double low = std::numeric_limits<double>::max();
        double high = std::numeric_limits<double>::lowest();
        for (const Vec3& p : face.winding->points()) {
            const double along = Dot(ToDouble(p), axes.axis[k]);
            low = std::min(low, along);
            high = std::max(high, along);
        }
        if (high - low < kTiny) return false;
        const double scale = (high - low) / (texels[k] * counts[k]);
        face.scale[k] = scale;
        offsetOf(face, k) = wrapped(-low / scale, texels[k]);
    }
    return true;
}

bool AlignSurfaceToFace(CQFace& face, TextureSizeSource::Size size)
{
    if (!face.winding) return false;
    if (face.axes) {
        const auto& points = face.winding->points();
        DVec3 longest{};
        double best = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            const DVec3 edge = ToDouble(points[(i + 1) % points.size()]) - ToDouble(points[i]);
            if (Length(edge) > best + kTiny) {
                best = Length(edge);
                longest = edge;
            }
        }
        if (best < kTiny) return false;
        const DVec3 n = ToDouble(face.plane.normal);
        DVec3 across = Normalized(Cross(n, longest));
        // The second axis runs down the face, as textures on walls do.
        if (across.z > kTiny || (std::fabs(across.z) <= kTiny && Dot(across, DVec3{0, -1, 0}) < 0)) across = across * -1.0;
        DVec3 along = Normalized(longest);
        // Reading along then across, the texture is not mirrored.
        if (Dot(Cross(along, across), n) > 0) along = along * -1.0;
        face.axes->axis = {along, across};
        face.rotation = 0;
    }
    AlignFaceTexture(face, size);
    return true;
}

SurfaceTexture SurfaceOf(const CQFace& face)
{
    SurfaceTexture surface{face.texture.str(), face.rotation, face.shift, face.scale, std::nullopt};
    if (face.axes) surface.axes = *face.axes;
    return surface;
}

void PasteSurface(CQFace& face, const SurfaceTexture& surface)
{
    face.texture = surface.texture;
    face.rotation = surface.rotation;
    face.scale = surface.scale;
    if (!face.axes) {
        face.shift = surface.axes ? surface.axes->offset : surface.shift;
        return;
    }
    const DVec3 n = ToDouble(face.plane.normal);
    const bool liesAlong = surface.axes && std::fabs(Dot(surface.axes->axis[0], n)) < 0.01 &&
                           std::fabs(Dot(surface.axes->axis[1], n)) < 0.01;
    if (liesAlong) {
        face.axes = *surface.axes;
    } else {
        face.axes->offset = surface.axes ? surface.axes->offset : surface.shift;
    }
}

} // namespace vorn
