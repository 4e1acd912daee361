#include "map/brush_group.h"

#include "geometry/grid.h"
#include "map/brush_text.h"
#include "map/text_reader.h"

#include <cmath>

namespace vorn {

std::string BrushGroupText(std::span<const CQBrush* const> brushes)
{
    std::string text;
    for (const CQBrush* brush : brushes) AppendBrush(text, *brush, NativeFormat(*brush));
    return text;
}

BrushGroupRead ReadBrushGroup(std::string_view text, DebugOutput& log)
{
    BrushGroupRead group;
    TextCursor in(text);
    for (;;) {
        const char c = NextNonBlank(in);
        if (c == 0) break;
        if (c != '{') {
            group.junk = true;
            break;
        }
        CQBrush brush;
        if (ReadBrush(in, brush, log).malformedLine > 0) {
            group.broken = true;
            break;
        }
        group.lastMins = brush.mins();
        if (brush.IsValid()) group.brushes.push_back(std::move(brush));
    }
    return group;
}

void PlaceBrushGroup(BrushGroupRead& group, const GridPlacement& placement)
{
    if (group.brushes.empty()) return;
    Vec3 sum;
    for (const CQBrush& brush : group.brushes) sum += brush.Centre();
    const Vec3 centre = sum * (1.0f / static_cast<float>(group.brushes.size()));
    float dx = std::trunc(placement.target.x - centre.x);
    float dy = std::trunc(placement.target.y - centre.y);
    if (placement.snap) {
        dx = std::trunc(SnapToGrid(dx - group.lastMins.x, placement.gridSize) + group.lastMins.x);
        dy = std::trunc(SnapToGrid(dy - group.lastMins.y, placement.gridSize) + group.lastMins.y);
    }
    for (CQBrush& brush : group.brushes) brush.Move({dx, dy, -centre.z}, placement.textures);
}

} // namespace vorn
