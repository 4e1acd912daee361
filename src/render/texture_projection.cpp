#include "render/texture_projection.h"

#include "geometry/face.h"
#include "geometry/texture_axes.h"

namespace vorn {
namespace {

constexpr int kUnknownTextureSize = 64;

} // namespace

TextureProjection::TextureProjection(const CQFace& face, TextureSizeSource::Size size)
{
    const TextureAxes axes = AxesOf(face);
    sAxis_ = ToFloat(axes.axis[0] * (1.0 / ScaleOf(face, 0)));
    tAxis_ = ToFloat(axes.axis[1] * (1.0 / ScaleOf(face, 1)));
    sShift_ = static_cast<float>(axes.offset[0]);
    tShift_ = static_cast<float>(axes.offset[1]);
    width_ = static_cast<float>(size.width > 0 ? size.width : kUnknownTextureSize);
    height_ = static_cast<float>(size.height > 0 ? size.height : kUnknownTextureSize);
}

TexCoord TextureProjection::at(Vec3 p) const
{
    return {(Dot(p, sAxis_) + sShift_) / width_, (Dot(p, tAxis_) + tShift_) / height_};
}

} // namespace vorn
