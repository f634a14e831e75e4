#pragma once
// Fresh heap pages, made present in one call before the start touches them.
// The first touch of a page costs a page fault; in the virtual machine this
// program is measured on that is 11 microseconds a page, and the start touches
// about 2 MB of fresh heap before its window shows (some 500 faults, more than
// the whole start-up of an empty Qt window). Made present by the kernel in one
// call, a page costs under one microsecond. On other machines this neither
// gains nor loses much: the start would touch those pages anyway.

#include <cstddef>

namespace spurwerk::gui {

struct HeapRegion {
    void* start = nullptr;
    std::size_t length = 0;
};

// Sets the C library's allocator so that blocks up to 4 MB come from the heap
// and up to 8 MB of freed memory stay there (its own adaptive thresholds
// settle about so after the first large block is freed), then takes `bytes`
// from the calling thread's heap and gives them back: the region returned is
// heap the next allocations of this thread take. Empty where the allocator is
// not glibc's.
HeapRegion ReserveHeap(std::size_t bytes);

// Makes the region's pages present; from any thread, also while the heap is
// in use (a page already present stays as it is). False where the system
// cannot (before Linux 5.14, or not Linux): the pages then come on first touch.
bool MakePagesPresent(HeapRegion region);

}  // namespace spurwerk::gui
