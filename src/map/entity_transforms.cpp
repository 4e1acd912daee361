#include "map/entity.h"

#include "platform/debug_output.h"

namespace vorn {

// Every selected brush turns or scales about one point, the mean of their centres, taken before
// any of them moves.
template <typename Transform>
void CQEntity::transformSelection(Transform transform, DebugOutput& log)
{
    int count = 0;
    Vec3 sum;
    for (const CQBrush& brush : brushes_) {
        if (!brush.IsSelected()) continue;
        sum += brush.Centre();
        ++count;
    }
    if (count == 0) return;
    const auto n = static_cast<float>(count);
    const Vec3 centre{sum.x / n, sum.y / n, sum.z / n};

    for (CQBrush& brush : brushes_) {
        if (!brush.IsSelected()) continue;
        brush.Move(-centre, log);
        transform(brush);
        brush.Move(centre, log);
    }
}

void CQEntity::RotateSelectionX(float degrees, DebugOutput& log)
{
    transformSelection([&](CQBrush& b) { b.RotateX(degrees, log); }, log);
}

void CQEntity::RotateSelectionY(float degrees, DebugOutput& log)
{
    transformSelection([&](CQBrush& b) { b.RotateY(degrees, log); }, log);
}

void CQEntity::RotateSelectionZ(float degrees, DebugOutput& log)
{
    transformSelection([&](CQBrush& b) { b.RotateZ(degrees, log); }, log);
}

void CQEntity::ScaleSelection(float sx, float sy, float sz, DebugOutput& log)
{
    transformSelection([&](CQBrush& b) { b.ScaleBy(sx, sy, sz, log); }, log);
}

} // namespace vorn
