#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// A face's texture name in 16 bytes: names of up to 15 characters, which is every name a WAD2
// archive can hold, are kept in place; longer ones on the heap. Half the room of a std::string, on
// millions of faces.
class TextureName {
public:
    TextureName() = default;
    explicit TextureName(std::string_view name) { assign(name); }
    TextureName(const TextureName& other) { assign(other.view()); }
    TextureName(TextureName&& other) noexcept;
    TextureName& operator=(const TextureName& other);
    TextureName& operator=(TextureName&& other) noexcept;
    TextureName& operator=(std::string_view name);
    ~TextureName() { release(); }

    std::string_view view() const { return onHeap() ? heapView() : std::string_view(bytes_, tag_); }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    size_t size() const { return view().size(); }
    bool empty() const { return size() == 0; }

    friend bool operator==(const TextureName& a, const TextureName& b) { return a.view() == b.view(); }
    friend bool operator==(const TextureName& a, std::string_view b) { return a.view() == b; }

private:
    static constexpr std::uint8_t kOnHeap = 0xFF;
    static constexpr size_t kInPlace = 15;

    void assign(std::string_view name);
    void release() noexcept;
    std::string_view heapView() const;
    bool onHeap() const { return tag_ == kOnHeap; }

    // In place: the characters, then the length in `tag_`. On the heap: a pointer to the length
    // (a size_t) followed by the characters.
    char bytes_[kInPlace] = {};
    std::uint8_t tag_ = 0;
};
static_assert(sizeof(TextureName) == 16);

} // namespace vorn
