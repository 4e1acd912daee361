#include "platform/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace vorn {

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

} // namespace vorn
