#pragma once

#include "geometry/face.h"
#include "geometry/vec3.h"

#include <array>

namespace vorn {

// The axes the standard projection lays a face's texture along: the directions of the axis plane
// nearest its normal, turned by its rotation, with its shifts as the offsets.
TextureAxes StandardAxes(const CQFace& face);

// The face's own texture axes, or the standard ones when it has none.
TextureAxes AxesOf(const CQFace& face);

// The face's scale along texture axis k, a scale of 0 taken as 1.
double ScaleOf(const CQFace& face, int k);

// The texel coordinates of a point under the face's texture.
std::array<double, 2> TexelAt(const CQFace& face, DVec3 p);

struct StandardTexture {
    double rotation = 0;
    std::array<double, 2> shift{};
    std::array<double, 2> scale{1, 1};
};

// The rotation, shifts and scales with which the standard projection lays the texture as the
// face's axes do: exactly when the axes lie in the axis plane nearest the face and are square to
// each other, as near as it can otherwise.
StandardTexture StandardFromAxes(const CQFace& face);

// Carry a face's texture with the brush as it moves or stretches, so that the texel coordinate of
// each point of the face stays what it was: a move by the offsets (or shifts), a stretch by the
// texture axes (a face without axes keeps its texture where it lies).
void MoveTextureWith(CQFace& face, DVec3 offset);
void StretchTextureWith(CQFace& face, DVec3 factors);

// How far apart, in texels, two ways of laying a texture put the corners of a face's polygon.
double TexelDistance(const CQFace& face, const CQFace& other);

// A texture lock for faces of the standard format: lent the axes of their projection, they are
// carried through a transform as faces with axes are; given back, they take the standard
// projection nearest the carried axes.
void LendAxes(CQFace& face);
// True when the standard projection lays the texture as the carried axes did, within 0.01 texel
// at the corners of the face's polygon (built anew after the transform).
bool ReturnAxes(CQFace& face);

} // namespace vorn
