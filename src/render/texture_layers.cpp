#include "render/texture_layers.h"

namespace vorn {

std::uint32_t TextureLayers::layerFor(std::string_view name)
{
    const std::string key(name);
    const auto [it, added] = layers_.try_emplace(key, static_cast<std::uint32_t>(names_.size()));
    if (added) names_.push_back(key);
    return it->second;
}

void TextureLayers::clear()
{
    layers_.clear();
    names_.clear();
    ++generation_;
}

} // namespace vorn
