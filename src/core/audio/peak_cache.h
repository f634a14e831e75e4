#pragma once
// Overviews already computed, shared by every window and thread: keyed by
// path, size and modification time (a changed file is computed afresh), held
// in memory only and within a byte budget (the least recently used go first).

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include "audio/peak_pyramid.h"

namespace spurwerk {

class PeakCache {
public:
    explicit PeakCache(std::size_t budgetBytes);

    // The overview of the file as it is now; null when none is kept.
    std::shared_ptr<const PeakPyramid> Find(const std::string& path);
    // Find, or compute (outside the lock) and keep. Faults and cancels are not kept.
    PeakResult Compute(const std::string& path, const std::atomic<bool>& cancel,
                       const std::function<void(double)>& progress = {});
    std::size_t MemoryBytes() const;

    // The program's one cache.
    static PeakCache& Shared();

private:
    struct Key {
        std::string path;
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        bool operator==(const Key&) const = default;
    };
    struct Entry {
        Key key;
        std::shared_ptr<const PeakPyramid> peaks;
    };
    static bool KeyOf(const std::string& path, Key& key);
    std::shared_ptr<const PeakPyramid> FindLocked(const Key& key);

    std::size_t budget_;
    std::size_t used_ = 0;
    mutable std::mutex mutex_;
    std::list<Entry> entries_;  // most recently used first
};

}  // namespace spurwerk
