#include "ui/control_panel.h"

#include "editor/editor.h"
#include "map/entity.h"

namespace vorn {

CQView::CQView(Editor& editor) : editor_(editor) {}

void CQView::showEntity(const CQEntity* entity)
{
    entityRows_.clear();
    if (!entity) return;
    for (const CQKeyValue& pair : entity->pairs()) entityRows_.push_back(pair.key + "  " + pair.value);
}

void CQView::setTexture(std::string_view name)
{
    textures_.setTexture(name, editor_.prefs().wad, editor_.textureFolders());
}

ArchiveReport CQView::setWad()
{
    return textures_.setWad(editor_.prefs().wad, editor_.textureFolders());
}

} // namespace vorn
