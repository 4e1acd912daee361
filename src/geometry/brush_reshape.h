#pragma once

#include "geometry/brush.h"

#include <optional>
#include <span>
#include <variant>

namespace vorn {

class DebugOutput;

// Why a brush was not reshaped.
enum class ReshapeRefusal {
    NoVolume,  // its corners would lie in one plane
    NotConvex, // a moved corner would be no corner of the solid (inside it, or flat in its surface)
};

using Reshaped = std::variant<CQBrush, ReshapeRefusal>;

// The brush with some of its corners (indices into ShapeOf(brush).vertices) moved by `offset`,
// become the convex solid of its corners. A face whose plane stays keeps itself, a face moved
// whole goes along (its texture too with the lock on), and every other face of the solid takes the texture of the
// face it shares the most corners with (so a face that bends splits into faces that keep its
// texture). Corners that come together are merged; a moved corner that would be swallowed by
// the solid is refused. The new faces pass through corners, so they
// have whole-number points where the corners do. The brush keeps its id.
Reshaped MoveCorners(const CQBrush& brush, std::span<const int> corners, DVec3 offset, TextureLock lock, DebugOutput& log);

// The convex solid around the brushes, with the id of the first. A face of the first brush that
// lies on the solid keeps itself (then one of the next brushes'), and every other face of the
// solid takes the texture of the face it shares the most corners with. None when the brushes
// hold no volume.
std::optional<CQBrush> MergeBrushes(std::span<const CQBrush* const> brushes, DebugOutput& log);

} // namespace vorn
