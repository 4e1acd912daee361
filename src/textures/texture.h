#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class ByteView;

// One texture read from an archive: its name as stored in the lump, the lump's mip offsets and
// the full-size image, one palette index per pixel, rows top to bottom. The empty texture is
// named "INVALID" and has no pixels.
class CQTexture {
public:
    static constexpr uint32_t kMaxSide = 4096;
    static constexpr uint64_t kHeaderSize = 40;

    CQTexture() = default;

    // Reads the lump at `offset`; false (and the texture stays empty) when its header or its
    // pixels lie beyond the bytes, or a side exceeds kMaxSide.
    bool readFrom(const ByteView& bytes, uint64_t offset);

    const std::string& name() const { return name_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    const std::array<uint32_t, 4>& mipOffsets() const { return mipOffsets_; }
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    bool isInvalid() const { return name_ == "INVALID"; }

    // Width and height from a lump header, without copying its pixels; false when the lump
    // cannot be read as a texture, by the same rules as readFrom.
    struct Size {
        uint32_t width = 0;
        uint32_t height = 0;
    };
    static bool readSize(const ByteView& bytes, uint64_t offset, Size& size);

private:
    std::string name_ = "INVALID";
    std::array<uint32_t, 4> mipOffsets_{0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu};
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    std::vector<uint8_t> pixels_;
};

} // namespace vorn
