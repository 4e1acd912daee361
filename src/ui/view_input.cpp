#include "ui/view_input.h"

#include "document/map_document.h"
#include "document/selection_edits.h"
#include "platform/host.h"
#include "ui/typed_view_settings.h"
#include "ui/workspace.h"

#include <algorithm>

namespace vorn {
namespace {

// The entity after the current one (the first after the last) becomes current.
void currentToNextEntity(CQMap& map)
{
    if (map.EntityCount() == 0) return;
    map.DeselectAll();
    map.SetCurrentEntityByIndex((map.currentIndex() + 1) % map.EntityCount());
}

// The clip points are the workspace's own: the views that show them are told.
void clipPointsChanged(Workspace& workspace)
{
    workspace.host().updateViews(ViewFlags::Editing);
}

} // namespace

bool HandleCommonKey(Workspace& workspace, ViewKey key)
{
    CQMap& map = workspace.map();
    Host& host = workspace.host();
    const bool clipper = workspace.clipperMode();
    switch (key) {
    case ViewKey::Tab:
        currentToNextEntity(map);
        return true;
    case ViewKey::Enter:
        if (!clipper) return false;
        ApplyClip(map, workspace.clipPoints(), host);
        return true;
    case ViewKey::Escape:
        if (workspace.vertexMode().isOn()) {
            workspace.vertexMode().setOn(false);
            host.updateViews(ViewFlags::All);
        } else if (clipper) {
            workspace.clipPoints().ClearClipPoints();
            clipPointsChanged(workspace);
        } else {
            map.DeselectAll();
        }
        return true;
    case ViewKey::Delete:
        DeleteSelection(map);
        return true;
    case ViewKey::M:
        map.SetCurrentEntityByIndex(0);
        return true;
    case ViewKey::Minus:
        SubtractSelection(map, host);
        return true;
    case ViewKey::GridFiner:
    case ViewKey::GridCoarser: {
        const int size = workspace.gridSize();
        workspace.setGridSize(key == ViewKey::GridFiner ? std::max(1, size / 2) : std::min(kMaxGridSize, size * 2));
        host.updateViews(ViewFlags::All);
        host.controlPanelChanged();
        return true;
    }
    case ViewKey::Slash:
        if (workspace.clipPoints().FlipClipPlane()) {
            clipPointsChanged(workspace);
        } else {
            host.beep(100, 100);
            host.debugOutput("no clipplane\n");
        }
        return true;
    default:
        return false;
    }
}

} // namespace vorn
