#pragma once

#include "geometry/brush.h"
#include "geometry/face.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

// The numbers of a face's texture a designer edits: offsets (the shifts of a standard face, the
// offsets of a face's axes), scales and rotation.
enum class SurfaceField { OffsetX, OffsetY, ScaleX, ScaleY, Rotation };

double SurfaceValue(const CQFace& face, SurfaceField field);
// A new rotation turns a face's axes about its normal by the difference, the way the standard
// projection turns its texture.
void SetSurfaceValue(CQFace& face, SurfaceField field, double value);

// Offsets 0, rotation 0, scales 1; a face with axes takes those of its standard projection.
void ResetSurface(CQFace& face);

// The texture covers the face `counts` times across and down, starting at its corner. Needs the
// texture's size: false (and nothing changed) when it is not known.
bool FitSurface(CQFace& face, TextureSizeSource::Size size, std::array<double, 2> counts);

// A face with axes lays them along its longest edge, the second running down the face; a standard
// face takes the edge alignment of Align Texture. False when the face has no polygon.
bool AlignSurfaceToFace(CQFace& face, TextureSizeSource::Size size);

// A face's texture as Copy Face Texture takes it and Paste puts it on other faces.
struct SurfaceTexture {
    std::string texture;
    double rotation = 0;
    std::array<double, 2> shift{};
    std::array<double, 2> scale{1, 1};
    std::optional<TextureAxes> axes;
};

SurfaceTexture SurfaceOf(const CQFace& face);
// Axes are pasted only onto a face they lie along (not across its plane); other faces keep their
// own and take the offsets, scales and rotation.
void PasteSurface(CQFace& face, const SurfaceTexture& surface);

} // namespace vorn
