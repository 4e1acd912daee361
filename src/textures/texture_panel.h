#pragma once

#include "textures/texture.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The texture half of the control panel: the list of the map's textures with "*NONE*" first,
// the current texture's name, its preview and its "Tex Size". Its widget shows this state.
class TexturePanel {
public:
    static constexpr std::string_view kNone = "*NONE*";

    TexturePanel();

    // Loads the archives a "wad" value names and fills the list; the report holds "Could not
    // load wad named %s" for each archive that failed. The caller calls this only when the
    // value changed.
    ArchiveReport setWad(std::string_view wadValue, const std::vector<std::string>& folders);

    // Makes `name` the panel's texture: selects the first list item, from the second onward and
    // then the first, that begins with it ignoring case, and shows that texture's preview and
    // size. A name that begins no item makes the texture "*NONE*". Loads the archives named by
    // `wadValue` first (silently) when none are loaded.
    void setTexture(std::string_view name, std::string_view wadValue, const std::vector<std::string>& folders);

    const std::string& texture() const { return texture_; }
    // "*NONE*" and every texture name, sorted ignoring case.
    const std::vector<std::string>& textureList() const { return list_; }
    std::optional<int> selectedItem() const { return selected_; }
    // Width "x" height of the texture last shown, or "0x0" when the panel's texture is "*NONE*"
    // or not in the archives.
    const std::string& sizeText() const { return sizeText_; }
    // The texture last found and the colours to show it with; the preview keeps the last one
    // when a texture is not found.
    const std::optional<CQTexture>& preview() const { return preview_; }
    const TextureColours& colours() const { return colours_; }
    // Grows whenever the preview or its colours change, so a widget knows when to redraw it.
    int previewRevision() const { return previewRevision_; }

    // For "Align Texture": the sizes of the archives' textures.
    TextureArchives& archives() { return archives_; }
    const TextureArchives& archives() const { return archives_; }

private:
    std::optional<int> findItem(std::string_view name) const;
    void rebuildPreview();

    TextureArchives archives_;
    TextureColours colours_;
    std::vector<std::string> list_;
    std::optional<int> selected_;
    std::string texture_{kNone};
    std::string sizeText_ = "0x0";
    std::optional<CQTexture> preview_;
    int previewRevision_ = 0;
};

} // namespace vorn
