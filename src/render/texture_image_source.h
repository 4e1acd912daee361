#pragma once

#include "geometry/brush.h"
#include "textures/texture_image.h"

#include <optional>
#include <string_view>

namespace vorn {

// The pictures of the named textures; none for a texture that is not at hand.
class TextureImageSource {
public:
    virtual ~TextureImageSource() = default;
    virtual std::optional<RgbaImage> image(std::string_view name) = 0;
};

// Used while no texture archive is loaded: every texture is missing.
class NoTextureImages final : public TextureImageSource {
public:
    std::optional<RgbaImage> image(std::string_view) override { return std::nullopt; }
};

class NoTextureSizes final : public TextureSizeSource {
public:
    Size textureSize(std::string_view) override { return {}; }
};

// What a face shows when its texture is missing: a magenta and black checker of 8 squares
// per side.
RgbaImage MissingTextureImage(int size);

} // namespace vorn
