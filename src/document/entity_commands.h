#pragma once

#include "geometry/vec3.h"

#include <string>
#include <string_view>

namespace vorn {

class CQMap;
struct GridPlacement;
class DebugOutput;
class Dialogs;
class EntityClassList;
class Host;

// F2: the properties of the current entity (the map's for the world). OK is one undoable step.
void ShowEntityProperties(CQMap& map, Dialogs& dialogs, const EntityClassList& classes, Host& host);
// Moves the selected world brushes into a new entity whose class the properties dialog sets.
void MakeIntoEntity(CQMap& map, Dialogs& dialogs, const EntityClassList& classes, Host& host);
// Moves the selected world brushes into a new entity of that class, without asking: a brush class
// chosen from the entity browser.
void MakeIntoClass(CQMap& map, std::string_view className, Host& host);
// Puts a new point entity of that class with its origin at the point; the entity becomes current
// and selected. One undoable step. A class without a fixed box places nothing.
void PlacePointEntity(CQMap& map, const EntityClassList& classes, std::string_view className, Vec3 origin, Host& host);
// The first click into an empty map: Map Properties in its creating use, whose OK adds the world
// with `wadForNewWorld` offered as its texture archive.
void CreateWorld(CQMap& map, Dialogs& dialogs, const std::string& wadForNewWorld);
// Makes the entity hit by the vertical segment the target of the current entity. Default target
// names count up from `targetCounter`, which keeps the next one.
void ConnectEntities(CQMap& map, Host& host, Vec3 start, Vec3 end, int& targetCounter);

} // namespace vorn
