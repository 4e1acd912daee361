#pragma once

#include "geometry/vec3.h"

namespace vorn {

class CQBrush;
class ClipPoints;
class CQMap;
class DebugOutput;
class MapChange;
struct CQFace;

// The changes the views and their keys make to the selection of the current entity.

// Moves the selected brushes and the entity's "origin" value; part of a longer change (a drag).
void MoveSelection(MapChange& change, Vec3 offset);
// A move that is a step of its own (an arrow key).
void NudgeSelection(CQMap& map, Vec3 offset);

// Removes the selected brushes; a non-world entity left without brushes goes with them and the
// first entity becomes current.
void DeleteSelection(MapChange& change);
void DeleteSelection(CQMap& map);

// Adds a brush made in a view to the current entity, selected; in a map without entities the
// world is made first. A brush without volume, or a current entity of fixed size, takes nothing.
void AddNewBrush(CQMap& map, const CQBrush& brush);

// The clip command: cuts every selected brush by the plane of the clip points, keeping the part
// behind it. False when there is no plane or no brush took the cut.
bool ApplyClip(CQMap& map, ClipPoints& points, DebugOutput& log);

// Breaks every unselected brush that overlaps a selected one into the pieces outside it; the
// selected brushes (the cutters) stay, at the end of the entity's list.
void SubtractSelection(CQMap& map, DebugOutput& log);

} // namespace vorn
