#include "ui/view_input.h"

#include "editor/editor.h"
#include "geometry/clip_points.h"
#include "platform/host.h"

namespace vorn {
namespace {

// The entity after the current one (the first after the last) becomes current.
void currentToNextEntity(Editor& editor)
{
    CQMap& map = editor.map();
    if (map.EntityCount() == 0) return;
    map.DeselectAll();
    map.SetCurrentEntityByIndex((map.currentIndex() + 1) % map.EntityCount());
}

void applyClip(Editor& editor)
{
    CQEntity* current = editor.map().GetCurrentEntity();
    // A point entity's box is the editor's own: it is not cut.
    if (!current || !current->isModifiable()) return;
    if (!ApplyClip(editor.clipPoints(), *current, editor.map().currentTexture(), editor.host())) return;
    editor.map().setModified();
    editor.refreshSelectionInCamera();
}

void subtract(Editor& editor)
{
    CQEntity* current = editor.map().GetCurrentEntity();
    if (!current || !current->isModifiable() || current->selectedCount() == 0) return;
    SubtractSelection(*current, editor.host());
    editor.map().setModified();
    editor.rebuildCameraScene();
}

} // namespace

bool HandleCommonKey(Editor& editor, ViewKey key)
{
    const bool clipper = editor.xyView().clipperMode();
    switch (key) {
    case ViewKey::Tab:
        currentToNextEntity(editor);
        return true;
    case ViewKey::Enter:
        if (!clipper) return false;
        applyClip(editor);
        return true;
    case ViewKey::Escape:
        if (clipper) {
            editor.clipPoints().ClearClipPoints();
        } else {
            editor.map().DeselectAll();
        }
        return true;
    case ViewKey::Delete:
        editor.map().DeleteSelection();
        editor.rebuildCameraScene();
        return true;
    case ViewKey::M:
        editor.map().SetCurrentEntityByIndex(0);
        return true;
    case ViewKey::Minus:
        subtract(editor);
        return true;
    case ViewKey::Slash:
        editor.clipPoints().FlipClipPlane(editor.host());
        return true;
    default:
        return false;
    }
}

} // namespace vorn
