#pragma once
// The directory walk with its file reads run ahead on a few threads when the
// card is cold: it answers several reads at once instead of one file after
// another.
// What the visitor sees stays that of WalkDirectory: the same folders, files
// and entry errors in the same order, on the calling thread.

#include <any>
#include <chrono>
#include <exception>
#include <string>
#include <vector>

namespace spurwerk {

// What a file's read left: its value, or the exception it threw.
class ReadResult {
public:
    // Rethrows the read's exception on the calling thread.
    template <typename T>
    T& Get() {
        if (error) std::rethrow_exception(error);
        return std::any_cast<T&>(value);
    }

    std::any value;
    std::exception_ptr error;
};

class ReadAheadVisitor {
public:
    virtual ~ReadAheadVisitor() = default;
    // Calling thread, at the start of every folder in walk order (progress,
    // abort check); may throw SilentAbort, which ends the walk.
    virtual void EnterDirectory(const std::string& dir) { (void)dir; }
    // Any thread, any order, ahead of the walk: what the visit of a file reads.
    // `slot` (0 .. slots - 1) is the reader's own; no two reads share a slot at
    // once. Touches only the slot's state and what stays unchanged meanwhile.
    virtual std::any ReadFile(const std::string& dir, const std::string& name, int slot) = 0;
    // Calling thread, in walk order, with the file's read. A FileError it
    // throws (also one rethrown from the read) is one failed entry.
    virtual void VisitFile(const std::string& dir, const std::string& name, ReadResult& read) = 0;

    // As DirectoryVisitor's, in the same order.
    std::vector<std::string> entryErrors;
};

// The readers of a walk: `workers` threads and the calling thread, whose slot
// is the last.
inline int ReadSlots(int workers) { return workers + 1; }

// A read that takes this long comes from the disk, not from the cache.
inline constexpr std::chrono::microseconds ColdReadTime{1000};

// WalkDirectory with its reads run ahead. It starts as the serial walk, each
// read on the calling thread just before its visit; after a few reads that
// took `slowRead` or longer (a cold cache; 0: from the start) `workers`
// threads read ahead while the calling thread lists the folders, reads what
// no worker took and visits. A folder listing ends the walk with its
// FileError where the serial walk does. Every thread has ended when this
// returns or throws.
void WalkDirectoryReadingAhead(const std::string& dir, ReadAheadVisitor& visitor, int workers,
                               std::chrono::microseconds slowRead = ColdReadTime);

}  // namespace spurwerk
