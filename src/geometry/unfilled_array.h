#pragma once

#include <cstddef>
#include <span>
#include <type_traits>

namespace vorn {

// Room on the stack for up to N plain values (numbers, and aggregates of them) that is not filled
// first, as an array of them would be: scratch space whose values are written before they are read.
template <typename T, size_t N>
class UnfilledArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    // The first `count` places (at most N).
    std::span<T> first(size_t count) { return {reinterpret_cast<T*>(bytes_), count}; }

private:
    alignas(T) std::byte bytes_[N * sizeof(T)];
};

} // namespace vorn
