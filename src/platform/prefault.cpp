#include "platform/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace vorn {
namespace {

// From this size on, memory is allocated in whole huge pages and backed at once.
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kBackedFrom = kHugePage / 2;

size_t wholeHugePages(size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void PrefaultForWriting(void* data, size_t size)
{
#ifdef MADV_POPULATE_WRITE
    // Whole pages inside the buffer only: the pages at its ends may hold other things.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = (begin + size) / page * page;
    if (last <= first) return;
    // Huge pages where the system gives them on request: one fault for two megabytes.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

void* AllocateBacked(size_t bytes)
{
    if (bytes < kBackedFrom) return ::operator new(bytes);
    // Aligned to the huge pages, or the pages at the ends would be small ones.
    const size_t whole = wholeHugePages(bytes);
    void* memory = std::aligned_alloc(kHugePage, whole);
    if (!memory) throw std::bad_alloc();
    PrefaultForWriting(memory, whole);
    return memory;
}

void FreeBacked(void* memory, size_t bytes) noexcept
{
    if (bytes < kBackedFrom) {
        ::operator delete(memory);
    } else {
        std::free(memory);
    }
}

} // namespace vorn
