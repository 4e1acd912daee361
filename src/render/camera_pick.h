#pragma once

#include "document/brush_locations.h"

#include <optional>

namespace vorn {

class CQMap;
class DebugOutput;
struct SceneRay;

// A brush the camera's ray met, and the face it entered through.
struct ScenePick {
    BrushLocation at;
    int face = -1;
};

// The nearest brush of the scene (at least four polygon faces, not hidden) the ray enters within
// the far plane; none on empty space. A brush the ray starts inside is not hit.
std::optional<ScenePick> PickSceneBrush(const CQMap& map, const SceneRay& ray, DebugOutput& log);

} // namespace vorn
