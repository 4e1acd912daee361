#include "editor/map_check.h"

#include "editor/editor.h"
#include "textures/texture_archives.h"

namespace vorn {

std::optional<std::unordered_set<std::string>> ArchiveTextureNames(Editor& editor)
{
    const TextureArchives& archives = editor.panel().textures().archives();
    if (!archives.isLoaded()) return std::nullopt;
    return LowerCaseNames(archives.textureNames());
}

std::vector<Problem> CheckEditorMap(Editor& editor)
{
    const auto textures = ArchiveTextureNames(editor);
    return CheckMap(editor.map().entities(), {editor.classes(), textures ? &*textures : nullptr});
}

} // namespace vorn
