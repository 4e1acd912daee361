#include "document/clipboard.h"

#include "geometry/grid.h"

#include <cmath>

namespace vorn {

std::vector<CQBrush> PlacedCopies(std::span<const CQBrush> brushes, const GridPlacement& placement)
{
    std::vector<CQBrush> placed;
    if (brushes.empty()) return placed;
    Vec3 centre;
    for (const CQBrush& brush : brushes) centre += brush.Centre();
    centre = centre * (1.0f / static_cast<float>(brushes.size()));

    placed.reserve(brushes.size());
    for (const CQBrush& source : brushes) {
        Vec3 target = placement.target;
        if (placement.snap) {
            // Each brush snaps on its own: the offset from its corner, once centred, is rounded to the grid.
            const float left = source.mins().x - centre.x;
            const float bottom = source.mins().y - centre.y;
            target.x = std::trunc(SnapToGrid(target.x - left, placement.gridSize) + left);
            target.y = std::trunc(SnapToGrid(target.y - bottom, placement.gridSize) + bottom);
        }
        CQBrush& brush = placed.emplace_back(source);
        brush.Move({target.x - centre.x, target.y - centre.y, 0}, placement.textures);
    }
    return placed;
}

} // namespace vorn
