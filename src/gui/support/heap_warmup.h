#pragma once
// Fresh heap pages, made present in one call before the start touches them.
// The first touch of a page costs a page fault; in the virtual machine this
// program is measured on that is 11 microseconds a page (the guest's fault,
// then the host's on the first write), and the start writes about 2.7 MB of
// fresh heap before its window shows: more than the whole start-up of an
// empty Qt window. Made present in one call, and where the system offers them
// as one transparent huge page (2 MB), the same memory costs a small part of
// that, on a thread beside the start.
// On other machines this neither gains nor loses much: the start would touch
// those pages anyway.

#include <cstddef>

namespace spurwerk::gui {

struct HeapRegion {
    void* start = nullptr;
    std::size_t length = 0;
};

// Makes the heap of the calling thread take its next `bytes` (less than 6 MB)
// from the region returned, untouched so far. The
// allocator's thresholds are fixed so that blocks up to 8 MB come from the heap
// and up to 16 MB of freed memory stay there (glibc's adaptive thresholds
// settle about so after the first large block is freed). From 2 MB on, the
// region begins at a huge-page boundary and is asked for as huge pages; the
// heap below the boundary stays taken for the program's life (address space
// only: it is never touched). Empty where the allocator is not glibc's.
HeapRegion ReserveHeap(std::size_t bytes);

// Makes the region's pages present; from any thread, also while the heap is
// in use (a page already present stays as it is). False where the system
// cannot (before Linux 5.14, or not Linux): the pages then come on first touch.
bool MakePagesPresent(HeapRegion region);

}  // namespace spurwerk::gui
