#include "textures/texture_panel.h"

#include "map/ignoring_case.h"

#include <algorithm>

namespace vorn {
TexturePanel::TexturePanel() : list_{std::string(kNone)} {}

ArchiveReport TexturePanel::setWad(std::string_view wadValue, const std::vector<std::string>& folders)
{
    ArchiveReport report = archives_.load(wadValue, folders);
    colours_ = FindTextureColours(archives_, folders);
    ++previewRevision_;
    std::vector<std::string> names = archives_.textureNames();
    std::ranges::stable_sort(names, LessIgnoringCase);
    list_.assign(1, std::string(kNone));
    list_.insert(list_.end(), names.begin(), names.end());
    selected_.reset();
    return report;
}

void TexturePanel::setTexture(std::string_view name, std::string_view wadValue, const std::vector<std::string>& folders)
{
    texture_ = name;
    if (!archives_.isLoaded()) setWad(wadValue, folders);
    selected_ = findItem(texture_);
    if (!selected_) {
        texture_ = kNone;
        selected_ = findItem(texture_);
    }
    rebuildPreview();
}

std::optional<int> TexturePanel::findItem(std::string_view name) const
{
    for (size_t step = 1; step <= list_.size(); ++step) {
        const size_t item = step % list_.size();
        if (StartsWithIgnoringCase(list_[item], name)) return static_cast<int>(item);
    }
    return std::nullopt;
}

void TexturePanel::rebuildPreview()
{
    const CQTexture texture = archives_.readTexture(texture_);
    if (texture_ == kNone || texture.isInvalid()) {
        sizeText_ = "0x0";
        return;
    }
    sizeText_ = std::to_string(texture.width()) + "x" + std::to_string(texture.height());
    preview_ = texture;
    ++previewRevision_;
}

} // namespace vorn
