#pragma once

#include <cstdint>
#include <string_view>

namespace vorn {

// Little-endian reads from untrusted bytes. Every read asks `contains` first, in 64-bit
// arithmetic, so an offset or length taken from the data cannot wrap around.
class ByteView {
public:
    explicit ByteView(std::string_view bytes) : bytes_(bytes) {}

    uint64_t size() const { return bytes_.size(); }
    bool contains(uint64_t offset, uint64_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    // The caller has checked that the bytes are there.
    uint8_t u8(uint64_t offset) const { return static_cast<uint8_t>(bytes_[offset]); }
    uint32_t u32(uint64_t offset) const
    {
        return static_cast<uint32_t>(u8(offset)) | static_cast<uint32_t>(u8(offset + 1)) << 8 |
               static_cast<uint32_t>(u8(offset + 2)) << 16 | static_cast<uint32_t>(u8(offset + 3)) << 24;
    }
    int32_t i32(uint64_t offset) const { return static_cast<int32_t>(u32(offset)); }
    std::string_view slice(uint64_t offset, uint64_t length) const { return bytes_.substr(offset, length); }
    // A NUL-padded name field: the bytes before the first NUL, at most `length`.
    std::string_view paddedName(uint64_t offset, uint64_t length) const
    {
        const std::string_view field = slice(offset, length);
        return field.substr(0, field.find('\0'));
    }

private:
    std::string_view bytes_;
};

} // namespace vorn
