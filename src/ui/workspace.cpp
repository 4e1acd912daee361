#include "ui/workspace.h"

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

} // namespace vorn
