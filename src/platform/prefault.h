#pragma once

#include <cstddef>
#include <new>

namespace vorn {

// Asks the system to back the memory of a large buffer that is about to be filled all at once,
// so that the filling does not stop at every new page. A request only: nothing happens where the
// system cannot do it, and the contents are unchanged.
void PrefaultForWriting(void* data, size_t size);

// Memory of `bytes` from the heap; a large amount is backed at once (in huge pages where the
// system has them), since filling it page by page stops at every page. Freed with FreeBacked.
void* AllocateBacked(size_t bytes);
void FreeBacked(void* memory, size_t bytes) noexcept;

// A container allocator for the arrays that grow large with the map (its brushes, their sources
// and their places): their memory is backed when it is allocated.
template <typename T>
class BackedAllocator {
public:
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    using value_type = T;

    BackedAllocator() noexcept = default;
    template <typename U>
    BackedAllocator(const BackedAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t n) { return static_cast<T*>(AllocateBacked(n * sizeof(T))); }
    void deallocate(T* memory, size_t n) noexcept { FreeBacked(memory, n * sizeof(T)); }
    friend bool operator==(const BackedAllocator&, const BackedAllocator&) noexcept { return true; }
};

} // namespace vorn
