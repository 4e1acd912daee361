#pragma once

#include "platform/canvas.h"

namespace vorn {

class BrushOutlines;
class CQBrush;
class CQEntity;
class CQMap;
class CXYView;
struct VisibleArea;

// How the map looks from above. Every map point goes through the view's mapping to window
// pixels; unselected brushes wholly outside the visible area are skipped. The map's brushes are
// drawn from their outlines kept for the view's orientation.

// The upward faces' outlines, in red when selected or else in `pen`; the first brush of an entity
// with an "angle" also carries an arrow pointing that way.
void DrawBrushXY(Canvas& canvas, const CXYView& view, const CQBrush& brush, const VisibleArea& area, Rgb pen,
                 bool selected, const CQEntity* angleOf);

// The entity's unselected brushes, or its selected ones in the selected pass, then its class name.
void DrawEntityXY(Canvas& canvas, const CXYView& view, const CQMap& map, BrushOutlines& outlines, const CQEntity& entity,
                  const VisibleArea& area, Rgb pen, bool selectedPass);

// Every entity but the current one in black, then the current one in blue on top.
void DrawEntitiesXY(Canvas& canvas, const CXYView& view, const CQMap& map, BrushOutlines& outlines, const VisibleArea& area);

} // namespace vorn
