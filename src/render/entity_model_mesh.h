#pragma once

#include "geometry/vec3.h"
#include "render/scene_writer.h"

#include <array>
#include <cstdint>

namespace vorn {

class CQEntity;
struct EntityModel;

// Where a point entity's model stands: at its origin, turned about the vertical.
struct ModelPlacement {
    Vec3 origin;
    float yawDegrees = 0;
};

// From the entity's "origin" and "angle" keys. The angles -1 and -2 (straight up and down)
// leave the model as it is.
ModelPlacement PlacementOf(const CQEntity& entity);

// The room AppendModelMesh takes.
SceneRoom ModelRoom(const EntityModel& model);

// Writes the model's triangles as placed, in scene space, their vertices numbered from `base`:
// each triangle a flat face of its own, with its edges as lines, its corners in `colour` and on
// `layer` (the model's skin), which shows in every mode that fills faces.
void AppendModelMesh(const EntityModel& model, const ModelPlacement& at, std::array<std::uint8_t, 3> colour,
                     std::uint32_t layer, std::uint32_t base, SceneWriter& out);

} // namespace vorn
