#pragma once

#include "geometry/face_surface.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

class CQMap;
class TextureSizeSource;

// Texturing face by face: each command changes the selected faces and is one undoable step.
void SetFacesTexture(CQMap& map, std::string_view name);
void SetFacesSurface(CQMap& map, SurfaceField field, double value);
// Shifts the textures by texels along their axes, and turns them by degrees.
void NudgeFaces(CQMap& map, std::array<double, 2> shift, double degrees);
void ResetFaces(CQMap& map);
// How many selected faces could not be fitted (their texture's size is not known).
int FitFaces(CQMap& map, TextureSizeSource& sizes, std::array<double, 2> counts);
void AlignFacesToFace(CQMap& map, TextureSizeSource& sizes);

// The texture of the one selected face; none unless exactly one is selected.
std::optional<SurfaceTexture> CopyFaceTexture(const CQMap& map);
// Onto the selected faces, or every face of the current entity's selected brushes.
void PasteFaceTexture(CQMap& map, const SurfaceTexture& surface);

// Every face textured `from` takes `to`, in the selected faces or brushes or, when
// `selectionOnly` is false, the whole map. Returns how many faces changed.
int ReplaceTexture(CQMap& map, std::string_view from, std::string_view to, bool selectionOnly);
// The selection becomes the faces, or the current entity's brushes, textured `name`; returns how
// many were selected.
int SelectFacesWithTexture(CQMap& map, std::string_view name);
int SelectBrushesWithTexture(CQMap& map, std::string_view name);

} // namespace vorn
