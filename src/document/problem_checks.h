#pragma once

#include "document/map_problems.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vorn {

// The checks CheckMap runs, each appending what it finds in map order.
using Entities = std::span<const std::unique_ptr<CQEntity>>;
using Problems = std::vector<Problem>;

void CheckPlayerStarts(Entities entities, Problems& out);
void CheckTargets(Entities entities, Problems& out);
void CheckClasses(Entities entities, const EntityClassList& classes, Problems& out);
void CheckPlacement(Entities entities, Problems& out);
void CheckChoices(Entities entities, const EntityClassList& classes, Problems& out);
void CheckBrushes(Entities entities, const std::unordered_set<std::string>* textures, Problems& out);
void CheckLimits(Entities entities, Problems& out);

// How a message names an entity: its class and "targetname", or its class and the line it was
// read from, or its class and its place in the map for one made in the editor.
std::string EntityName(const CQEntity& entity, int index);
std::string LowerCase(std::string_view text);
// A place as whole map units: "(x y z)".
std::string PointText(Vec3 p);
// How a message names a brush: its number in its entity, the entity, and its middle.
std::string BrushName(const CQEntity& entity, int entityIndex, int brushIndex);

} // namespace vorn
