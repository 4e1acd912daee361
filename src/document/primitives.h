#pragma once

#include "document/dialogs.h"
#include "geometry/brush.h"
#include "geometry/face.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;

// What a Make-into generator makes of brush B: the solids that replace it.
struct Replacement {
    std::vector<CQBrush> brushes;
    // One brush that takes B's place in its entity, keeping its selection; otherwise B goes and
    // these are added after the entity's last brush, selected.
    bool inPlace = false;
};

// The Make-into generators. Each is sized from B's bounds and gives its brushes `texture`. They
// return nothing when they cannot carry out the request (a value out of range, a B that is not a
// solid), which then changes nothing.

// Hollows B: every face becomes a wall `thickness` thick lying inside B.
std::optional<Replacement> MakeRoom(const CQBrush& b, int thickness, std::string_view texture, DebugOutput& log);

// Cuts B into steps `stepHeight` high rising toward `upEnd`; `thickness` 0 makes solid steps,
// more makes slabs that thick under each tread. Fewer than two steps are refused.
std::optional<Replacement> MakeStairs(const CQBrush& b, Compass upEnd, int stepHeight, int thickness,
                                      std::string_view texture, DebugOutput& log);

// A wedge of B's box whose full-height side is at `elevatedEnd`.
std::optional<Replacement> MakeRamp(const CQBrush& b, Compass elevatedEnd, std::string_view texture, DebugOutput& log);

// One wall per face that has a polygon: a slab `thickness` thick behind the face, closed by sides
// perpendicular to it. None when a polygon has too many corners for a wall to hold its faces.
std::optional<std::vector<CQBrush>> MakeWalls(std::span<const CQFace> faces, int thickness, std::string_view texture,
                                              DebugOutput& log);

} // namespace vorn
