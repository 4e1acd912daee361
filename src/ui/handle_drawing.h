#pragma once

#include "platform/canvas.h"
#include "ui/vertex_mode.h"

#include <span>

namespace vorn {

class CXYView;

// Half the side of a corner's handle in pixels; an edge's is a pixel smaller, a face's an outline.
inline constexpr int kHandleHalfSize = 3;

// The vertex mode's handles in a 2D view: the faces' outlined, the edges' and corners' filled,
// the selected ones over the others in their own colour.
void DrawHandlesXY(Canvas& canvas, const CXYView& view, std::span<const HandleMark> marks);

// The rectangle a drag over empty space selects handles with, between two window pixels.
void DrawSelectionBand(Canvas& canvas, PixelPoint from, PixelPoint to);

} // namespace vorn
