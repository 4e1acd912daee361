#include "geometry/texture_name.h"

#include <cstring>
#include <new>

namespace vorn {
namespace {

char* heapNameOf(const char* bytes)
{
    char* stored = nullptr;
    std::memcpy(&stored, bytes, sizeof stored);
    return stored;
}

} // namespace

TextureName::TextureName(TextureName&& other) noexcept
{
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    tag_ = other.tag_;
    other.tag_ = 0;
}

TextureName& TextureName::operator=(const TextureName& other)
{
    if (this != &other) *this = other.view();
    return *this;
}

TextureName& TextureName::operator=(TextureName&& other) noexcept
{
    if (this != &other) {
        release();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        tag_ = other.tag_;
        other.tag_ = 0;
    }
    return *this;
}

TextureName& TextureName::operator=(std::string_view name)
{
    // The name may lie in this object's own heap copy: assign before releasing it.
    TextureName fresh(name);
    return *this = std::move(fresh);
}

std::string_view TextureName::heapView() const
{
    const char* stored = heapNameOf(bytes_);
    size_t length = 0;
    std::memcpy(&length, stored, sizeof length);
    return {stored + sizeof length, length};
}

void TextureName::assign(std::string_view name)
{
    if (name.size() <= kInPlace) {
        // An empty view may have no data at all.
        if (!name.empty()) std::memcpy(bytes_, name.data(), name.size());
        tag_ = static_cast<std::uint8_t>(name.size());
        return;
    }
    const size_t length = name.size();
    char* stored = new char[sizeof length + length];
    std::memcpy(stored, &length, sizeof length);
    std::memcpy(stored + sizeof length, name.data(), length);
    std::memcpy(bytes_, &stored, sizeof stored);
    tag_ = kOnHeap;
}

void TextureName::release() noexcept
{
    if (onHeap()) delete[] heapNameOf(bytes_);
    tag_ = 0;
}

} // namespace vorn
