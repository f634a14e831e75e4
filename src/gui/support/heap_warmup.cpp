#include "support/heap_warmup.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
#define SPURWERK_HEAP_WARMUP 1
#endif

namespace spurwerk::gui {

#ifdef SPURWERK_HEAP_WARMUP

HeapRegion ReserveHeap(std::size_t bytes) {
    static const bool thresholdsSet = [] {
        return mallopt(M_MMAP_THRESHOLD, 4 << 20) == 1 && mallopt(M_TRIM_THRESHOLD, 8 << 20) == 1;
    }();
    if (!thresholdsSet || bytes == 0 || bytes >= (4u << 20)) return {};
    // Volatile: a compiler may drop a block that is only freed.
    void* volatile block = std::malloc(bytes);
    if (!block) return {};
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + bytes) & ~(page - 1);
    std::free(block);
    if (end <= first) return {};
    return {reinterpret_cast<void*>(first), end - first};
}

bool MakePagesPresent(HeapRegion region) {
    return region.length > 0 && madvise(region.start, region.length, MADV_POPULATE_WRITE) == 0;
}

#else

HeapRegion ReserveHeap(std::size_t) { return {}; }
bool MakePagesPresent(HeapRegion) { return false; }

#endif

}  // namespace spurwerk::gui
