#include "ui/control_panel.h"

#include "document/map_document.h"
#include "map/entity.h"
#include "ui/preferences.h"
#include "ui/workspace.h"

namespace vorn {

CQView::CQView(const Workspace& workspace) : workspace_(workspace) {}

void CQView::showEntity(const CQEntity* entity)
{
    entityRows_.clear();
    if (!entity) return;
    for (const CQKeyValue& pair : entity->pairs()) entityRows_.push_back(pair.key + "  " + pair.value);
}

void CQView::setTexture(std::string_view name)
{
    textures_.setTexture(name, workspace_.prefs().wad, textureFolders());
}

ArchiveReport CQView::setWad()
{
    return textures_.setWad(workspace_.prefs().wad, textureFolders());
}

std::vector<std::string> CQView::textureFolders() const
{
    return TextureSearchFolders(workspace_.map().pathName(), workspace_.prefs().gameFolder);
}

} // namespace vorn
