#pragma once

#include "geometry/brush.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vorn {

// An image as rows of red, green, blue, alpha bytes, top row first.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

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
