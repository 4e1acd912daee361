#include "ui/face_drag.h"

#include "editor/editor.h"
#include "platform/host.h"

namespace vorn {

bool FaceDrag::start(CQMap& map, const Picker& pick)
{
    const CQMap::BrushRef selected = map.onlySelectedBrush();
    if (!selected.entity || !selected.entity->isModifiable()) return false;
    faces_ = pick(*selected.brush());
    return active();
}

bool FaceDrag::moveBy(Editor& editor, Vec3 step)
{
    CQBrush* brush = editor.map().onlySelectedBrush().brush();
    if (!brush) return false;
    for (const int f : faces_) {
        if (f >= brush->numfaces()) continue; // another brush became the selection
        for (DVec3& p : brush->face(f).planepts) p += ToDouble(step);
    }
    brush->FreeWindings();
    brush->BuildWindings(editor.host());
    editor.map().setModified();
    editor.refreshSelectionInCamera();
    return true;
}

bool FaceDrag::finish(Editor& editor)
{
    faces_.clear();
    const CQMap::BrushRef dragged = editor.map().onlySelectedBrush();
    if (!dragged.entity || dragged.brush()->IsValid()) return false;
    dragged.entity->RemoveInvalidBrushes();
    editor.rebuildCameraScene();
    return true;
}

} // namespace vorn
