#pragma once

#include "geometry/vec3.h"

namespace vorn {

class Editor;

// F2: the properties of the current entity (the map's for the world).
void ShowEntityProperties(Editor& editor);
// Moves the selected world brushes into a new entity whose class the properties dialog sets.
void MakeIntoEntity(Editor& editor);
// The first click into an empty map: Map Properties in its creating use, whose OK adds the world.
void CreateWorld(Editor& editor);
// Makes the entity hit by the vertical segment the target of the current entity.
void ConnectEntities(Editor& editor, Vec3 start, Vec3 end);

} // namespace vorn
