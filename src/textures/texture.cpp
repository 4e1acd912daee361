#include "textures/texture.h"

#include "textures/byte_view.h"

namespace vorn {

bool CQTexture::readSize(const ByteView& bytes, uint64_t offset, Size& size)
{
    if (!bytes.contains(offset, kHeaderSize)) return false;
    const uint32_t width = bytes.u32(offset + 16);
    const uint32_t height = bytes.u32(offset + 20);
    if (width > kMaxSide || height > kMaxSide) return false;
    if (!bytes.contains(offset + kHeaderSize, uint64_t{width} * height)) return false;
    size = {width, height};
    return true;
}

bool CQTexture::readFrom(const ByteView& bytes, uint64_t offset)
{
    Size size;
    if (!readSize(bytes, offset, size)) return false;
    name_ = bytes.paddedName(offset, 16);
    width_ = size.width;
    height_ = size.height;
    for (size_t level = 0; level < mipOffsets_.size(); ++level) mipOffsets_[level] = bytes.u32(offset + 24 + 4 * level);
    const std::string_view image = bytes.slice(offset + kHeaderSize, uint64_t{width_} * height_);
    pixels_.assign(image.begin(), image.end());
    return true;
}

} // namespace vorn
