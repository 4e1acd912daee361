#pragma once

#include "geometry/brush.h"

#include <span>
#include <vector>

namespace vorn {

class DebugOutput;

// Whether the two brushes' boxes share some volume (touching is not enough).
bool BoxesOverlap(const CQBrush& a, const CQBrush& b);

// The parts of `target` outside every cutter, in order; the target alone when no cutter
// overlaps it. A target that would need more faces than a brush holds is kept whole rather than
// lose the parts that could not be made.
std::vector<CQBrush> SubtractBrushes(std::span<const CQBrush* const> cutters, const CQBrush& target, DebugOutput& log);

} // namespace vorn
