#include "ui/face_drag.h"

#include "document/map_document.h"
#include "geometry/texture_axes.h"

namespace vorn {

bool FaceDrag::start(const CQMap& map, const Picker& pick)
{
    const BrushLocation selected = map.onlySelectedBrush();
    if (!selected.valid() || !map.entity(selected.entity).isModifiable()) return false;
    faces_ = pick(map.brush(selected));
    return active();
}

bool FaceDrag::moveBy(MapChange& change, Vec3 step, DebugOutput& log)
{
    const BrushLocation at = change.map().onlySelectedBrush();
    if (!at.valid() || faces_.empty()) return false;
    CQBrush& brush = change.editBrush(at);
    const TextureLock lock = change.map().textureLock;
    for (const int f : faces_) {
        if (f >= brush.numfaces()) continue; // another brush became the selection
        CQFace& face = brush.face(f);
        face.planepts.change([&](DVec3& p) { p += ToDouble(step); });
        if (lock == TextureLock::On) MoveTextureWith(face, ToDouble(step));
    }
    brush.FreeWindings();
    brush.BuildWindings(log);
    return true;
}

void FaceDrag::finish(MapChange& change)
{
    const BrushLocation dragged = change.map().onlySelectedBrush();
    if (dragged.valid() && !change.map().brush(dragged).IsValid()) change.removeBrush(dragged);
}

} // namespace vorn
