#include "ui/workspace.h"

#include "document/map_document.h"
#include "geometry/bounds.h"
#include "geometry/grid.h"
#include "ui/preferences.h"

namespace vorn {

int Workspace::gridSize() const
{
    return prefs_.xyGridSize > 0 ? prefs_.xyGridSize : 1; // a stored size below 1 could not snap anything
}

void Workspace::setGridSize(int size)
{
    if (size > 0) prefs_.xyGridSize = size;
}

bool Workspace::snapToGrid() const
{
    return prefs_.xyGridSnap != 0;
}

void Workspace::setSnapToGrid(bool snap)
{
    prefs_.xyGridSnap = snap ? 1 : 0;
}

float Workspace::snap(float v) const
{
    return SnapToGrid(v, gridSize());
}

void Workspace::toggleClipperMode()
{
    clipperMode_ = !clipperMode_;
    if (clipperMode_) vertexMode_.setOn(false);
}

void Workspace::toggleVertexMode()
{
    vertexMode_.setOn(!vertexMode_.isOn());
    if (vertexMode_.isOn()) clipperMode_ = false;
}

DepthRange Workspace::depthRange(int axis) const
{
    if (axis == 2) return {map_.GetMinZ(), map_.GetMaxZ()};
    return depths_[static_cast<size_t>(axis)];
}

void Workspace::forgetOutlines()
{
    for (BrushOutlines& outlines : outlines_) outlines.clear();
}

void Workspace::followSelection(const Bounds& selected, bool heightsToo)
{
    for (size_t axis = 0; axis < depths_.size(); ++axis) {
        const int a = static_cast<int>(axis);
        if (selected.maxs[a] > selected.mins[a]) depths_[axis] = {selected.mins[a], selected.maxs[a]};
    }
    if (heightsToo && selected.maxs.z > selected.mins.z) {
        map_.SetMinZ(selected.mins.z, gridSize());
        map_.SetMaxZ(selected.maxs.z, gridSize());
    }
}

} // namespace vorn
