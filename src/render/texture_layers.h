#pragma once

#include "textures/texture_image.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

// Gives every texture name the scene meets a layer number of its own, in the order met, so
// that each texture is loaded and uploaded once; and likewise every picture the scene brings
// itself (a model's skin).
class TextureLayers {
public:
    std::uint32_t layerFor(std::string_view name);
    std::uint32_t layerFor(const std::shared_ptr<const RgbaImage>& picture);
    // The names by layer; empty for a picture's layer.
    const std::vector<std::string>& names() const { return names_; }
    // The picture of a layer that was given one; none for a texture's layer.
    const std::shared_ptr<const RgbaImage>& picture(size_t layer) const { return pictures_[layer]; }
    // Forgets every name and picture: the pictures behind them changed.
    void clear();
    // Counts the clears, so that whoever uploaded the pictures knows to send them again.
    int generation() const { return generation_; }

private:
    std::uint32_t add(std::string name, std::shared_ptr<const RgbaImage> picture);

    std::unordered_map<std::string, std::uint32_t> layers_;
    std::unordered_map<const RgbaImage*, std::uint32_t> pictureLayers_;
    std::vector<std::string> names_;
    std::vector<std::shared_ptr<const RgbaImage>> pictures_;
    int generation_ = 0;
};

} // namespace vorn
