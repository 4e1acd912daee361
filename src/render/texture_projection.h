#pragma once

#include "geometry/brush.h"
#include "geometry/vec3.h"

namespace vorn {

struct CQFace;

// Texture coordinates in texture widths and heights (1 = one whole texture).
struct TexCoord {
    float s = 0;
    float t = 0;
};

// Where a face's texture lies: along the face's texture axes, or for a face without them by the
// game's standard projection (the axis plane nearest the face, turned by the face's rotation),
// stretched by its scale and moved by its shift or offsets.
class TextureProjection {
public:
    // A texture size of 0 (not known) is taken as 64 texels.
    TextureProjection(const CQFace& face, TextureSizeSource::Size size);
    TexCoord at(Vec3 mapPoint) const;

private:
    Vec3 sAxis_;
    Vec3 tAxis_;
    float sShift_ = 0;
    float tShift_ = 0;
    float width_ = 64;
    float height_ = 64;
};

} // namespace vorn
