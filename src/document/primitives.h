#pragma once

#include "geometry/face.h"
#include "platform/dialogs.h"

#include <span>
#include <string_view>

namespace vorn {

class CQBrush;
class CQEntity;
class DebugOutput;

// The Make-into generators. Each works on brush `brushIndex` of the entity (B below), sized from
// B's bounds; the brushes it makes carry `texture` and are added to the entity selected, and B
// is removed at the end. They return true when they changed the entity; a request they cannot
// carry out (a value out of range, a brush that is not a solid) leaves everything as it was.

// Hollows B: every face becomes a wall `thickness` thick lying inside B.
bool MakeRoom(CQEntity& entity, int brushIndex, int thickness, std::string_view texture, DebugOutput& log);

// Cuts B into steps `stepHeight` high rising toward `upEnd`; `thickness` 0 makes solid steps,
// more makes slabs that thick under each tread. Fewer than two steps leave B as it is.
bool MakeStairs(CQEntity& entity, int brushIndex, Compass upEnd, int stepHeight, int thickness,
                std::string_view texture, DebugOutput& log);

// Replaces B by a wedge of B's box whose full-height side is at `elevatedEnd`.
bool MakeRamp(CQEntity& entity, int brushIndex, Compass elevatedEnd, std::string_view texture, DebugOutput& log);

// --- shared by the generators ---

// The brush a generator may work on: none when the index is out of range or the brush is not a
// valid solid.
const CQBrush* GeneratorSource(const CQEntity& entity, int brushIndex);

// Removes B through its invalid flag, together with any generated brush that came out invalid.
void RemoveGeneratorSource(CQEntity& entity, int brushIndex);

// Adds one wall per face that has a polygon: a slab `thickness` thick behind the face, closed
// by sides perpendicular to it. Adds nothing and returns false when a polygon has too many
// corners for a wall to hold its faces.
bool AddWalls(CQEntity& entity, std::span<const CQFace> faces, int thickness, std::string_view texture,
              DebugOutput& log);

} // namespace vorn
