#include "geometry/grid.h"
#include "map/brush_text.h"
#include "map/entity.h"
#include "map/text_reader.h"
#include "platform/host.h"

#include <cmath>

namespace vorn {

void CQEntity::SerializeBrushGroup(std::string& out) const
{
    if (!modifiable_) return;
    for (const CQBrush& brush : brushes_) {
        if (brush.IsSelected()) AppendBrush(out, brush, NativeFormat(brush));
    }
}

int CQEntity::LoadBrushGroup(TextCursor& in, const GridPlacement& placement, Host& host)
{
    if (!modifiable_) return 0;
    int count = 0;
    Vec3 sum;
    Vec3 lastMins;
    for (;;) {
        const char c = NextNonBlank(in);
        if (c == 0) break;
        if (c != '{') {
            host.messageBox("Error in brush group file!");
            break;
        }
        CQBrush brush;
        ReadBrush(in, brush, host);
        lastMins = brush.mins();
        if (!brush.IsValid()) continue;
        sum += brush.Centre();
        ++count;
        AddBrush(brush);
    }
    if (count == 0) return 0;

    const Vec3 centre = sum * (1.0f / static_cast<float>(count));
    float dx = std::trunc(placement.target.x - centre.x);
    float dy = std::trunc(placement.target.y - centre.y);
    if (placement.snap) {
        dx = std::trunc(SnapToGrid(dx - lastMins.x, placement.gridSize) + lastMins.x);
        dy = std::trunc(SnapToGrid(dy - lastMins.y, placement.gridSize) + lastMins.y);
    }
    MoveSelected({dx, dy, -centre.z}, host);
    return count;
}

} // namespace vorn
