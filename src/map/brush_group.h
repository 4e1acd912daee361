#pragma once

#include "geometry/brush.h"
#include "map/entity.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;

// Brush group files hold brush blocks only.

// The blocks of the brushes, in order.
std::string BrushGroupText(std::span<const CQBrush* const> brushes);

struct BrushGroupRead {
    std::vector<CQBrush> brushes; // the valid ones, in file order
    Vec3 lastMins;                // the last block's corner, valid or not: the snap follows it
    bool junk = false;            // something other than a block ended the reading early
    bool broken = false;          // a block could not be read: cut short, or a number that is none
};

// Reads brush blocks until the end of the text, the first thing that is not a block, or the first
// block that cannot be read.
BrushGroupRead ReadBrushGroup(std::string_view text, DebugOutput& log);

// Moves the loaded brushes so that their common centre sits on the target's x and y at height 0;
// with snapping, the offset keeps the last block's corner on the grid.
void PlaceBrushGroup(BrushGroupRead& group, const GridPlacement& placement);

} // namespace vorn
