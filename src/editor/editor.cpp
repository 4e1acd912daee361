#include "editor/editor.h"

#include "entities/bundled_entity_list.h"
#include "platform/host.h"

namespace vorn {

Editor::Editor(Host& host, Dialogs& dialogs, Preferences preferences)
    : host_(host), dialogs_(dialogs), prefs_(std::move(preferences)), xyView_(*this), zView_(*this), map_(*this)
{
    panel_.setTexture(prefs_.curTexture);
}

bool Editor::loadEntityClasses()
{
    if (classes_.loadFile(prefs_.entityList, host_)) return true;
    classes_.loadText(BundledEntityList());
    return false;
}

void Editor::updateViews(int flags)
{
    host_.updateViews(flags);
}

// The camera keeps no copy of the map yet: there is nothing to rebuild or refresh, and the
// commands' own redraw requests repaint it.
void Editor::rebuildCameraScene() {}

void Editor::refreshSelectionInCamera() {}

void Editor::textureArchiveChanged()
{
    // Nothing loads texture archives yet; the name is kept in the preferences.
}

} // namespace vorn
