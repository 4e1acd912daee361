#include "render/texture_projection.h"

#include "geometry/face.h"

#include <cmath>

namespace vorn {
namespace {

constexpr int kUnknownTextureSize = 64;

// For each axis plane: the normal it stands for, then the texture's s and t directions on it.
constexpr Vec3 kBaseAxes[6][3] = {
    {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},  // floor
    {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}, // ceiling
    {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}},  // west wall
    {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}, // east wall
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  // south wall
    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}}, // north wall
};

// Quarter turns exactly, so that axis-aligned textures stay on whole texels.
void sinCos(float degrees, float& s, float& c)
{
    if (degrees == 0) {
        s = 0, c = 1;
    } else if (degrees == 90) {
        s = 1, c = 0;
    } else if (degrees == 180) {
        s = 0, c = -1;
    } else if (degrees == 270) {
        s = -1, c = 0;
    } else {
        const double a = degrees * kRadiansPerDegree;
        s = static_cast<float>(std::sin(a));
        c = static_cast<float>(std::cos(a));
    }
}

int nonZeroAxis(Vec3 v)
{
    return v.x != 0 ? 0 : v.y != 0 ? 1 : 2;
}

} // namespace

TextureProjection::TextureProjection(const CQFace& face, TextureSizeSource::Size size)
{
    int best = 0;
    float bestDot = 0;
    for (int i = 0; i < 6; ++i) {
        const float d = Dot(face.plane.normal, kBaseAxes[i][0]);
        if (d > bestDot) {
            bestDot = d;
            best = i;
        }
    }
    Vec3 axes[2] = {kBaseAxes[best][1], kBaseAxes[best][2]};
    const int sv = nonZeroAxis(axes[0]);
    const int tv = nonZeroAxis(axes[1]);
    float sinv = 0;
    float cosv = 1;
    sinCos(face.rotation, sinv, cosv);
    for (Vec3& axis : axes) {
        const float ns = cosv * axis[sv] - sinv * axis[tv];
        const float nt = sinv * axis[sv] + cosv * axis[tv];
        axis[sv] = ns;
        axis[tv] = nt;
    }
    const float sScale = face.scale[0] != 0 ? face.scale[0] : 1.0f;
    const float tScale = face.scale[1] != 0 ? face.scale[1] : 1.0f;
    sAxis_ = axes[0] * (1.0f / sScale);
    tAxis_ = axes[1] * (1.0f / tScale);
    sShift_ = face.shift[0];
    tShift_ = face.shift[1];
    width_ = static_cast<float>(size.width > 0 ? size.width : kUnknownTextureSize);
    height_ = static_cast<float>(size.height > 0 ? size.height : kUnknownTextureSize);
}

TexCoord TextureProjection::at(Vec3 p) const
{
    return {(Dot(p, sAxis_) + sShift_) / width_, (Dot(p, tAxis_) + tShift_) / height_};
}

} // namespace vorn
