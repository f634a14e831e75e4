#include "support/heap_warmup.h"

#include <atomic>
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

namespace {

constexpr std::uintptr_t HugePage = 2u << 20;

// The heap below huge pages, kept for the program's life (still reachable for
// leak checkers).
std::atomic<void*> keptBelow[4];
std::atomic<int> keptCount = 0;

std::uintptr_t RoundUp(std::uintptr_t value, std::uintptr_t to) { return (value + to - 1) & ~(to - 1); }

}  // namespace

HeapRegion ReserveHeap(std::size_t bytes) {
    static const bool thresholdsSet = [] {
        return mallopt(M_MMAP_THRESHOLD, 8 << 20) == 1 && mallopt(M_TRIM_THRESHOLD, 16 << 20) == 1;
    }();
    if (!thresholdsSet || bytes == 0 || bytes + HugePage >= (8u << 20)) return {};
    const bool huge = bytes >= HugePage;
    // Where the heap's free top begins: a block that large comes from there.
    // Volatile: a compiler may drop a block that is only freed.
    void* volatile probe = std::malloc(bytes + (huge ? HugePage : 0));
    if (!probe) return {};
    const auto top = reinterpret_cast<std::uintptr_t>(probe);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (huge) {
        // The block shrinks in place to end at the boundary (less the next
        // block's header), so the next allocations begin on the huge page.
        // Kept: freed, it would be handed out first.
        const std::uintptr_t boundary = RoundUp(top, HugePage);
        void* below = boundary - top > 64 ? std::realloc(probe, boundary - top - 32) : (std::free(probe), nullptr);
        if (below) {
            const int slot = below == reinterpret_cast<void*>(top) ? keptCount++ : 4;
            if (slot >= 4) {
                std::free(below);  // moved after all, or kept too often: plain pages then
                const std::uintptr_t first = RoundUp(top, page);
                return {reinterpret_cast<void*>(first), (top + bytes - first) & ~(page - 1)};
            }
            keptBelow[slot] = below;
        }
        bytes &= ~(HugePage - 1);
        madvise(reinterpret_cast<void*>(boundary), bytes, MADV_HUGEPAGE);
        return {reinterpret_cast<void*>(boundary), bytes};
    }
    std::free(probe);
    const std::uintptr_t first = RoundUp(top, page);
    const std::uintptr_t end = (top + bytes) & ~(page - 1);
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
