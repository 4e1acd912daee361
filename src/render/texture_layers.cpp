#include "render/texture_layers.h"

namespace vorn {

std::uint32_t TextureLayers::layerFor(std::string_view name)
{
    const std::string key(name);
    const auto found = layers_.find(key);
    if (found != layers_.end()) return found->second;
    const std::uint32_t layer = add(key, nullptr);
    layers_.emplace(key, layer);
    return layer;
}

std::uint32_t TextureLayers::layerFor(const std::shared_ptr<const RgbaImage>& picture)
{
    const auto found = pictureLayers_.find(picture.get());
    if (found != pictureLayers_.end()) return found->second;
    const std::uint32_t layer = add({}, picture);
    pictureLayers_.emplace(picture.get(), layer);
    return layer;
}

std::uint32_t TextureLayers::add(std::string name, std::shared_ptr<const RgbaImage> picture)
{
    names_.push_back(std::move(name));
    pictures_.push_back(std::move(picture));
    return static_cast<std::uint32_t>(names_.size() - 1);
}

void TextureLayers::clear()
{
    layers_.clear();
    pictureLayers_.clear();
    names_.clear();
    pictures_.clear();
    ++generation_;
}

} // namespace vorn
