#include "audio/peak_cache.h"

#include <filesystem>
#include <system_error>

#include "io/path_text.h"

namespace spurwerk {

PeakCache::PeakCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

PeakCache& PeakCache::Shared() {
    // 16 tracks of an hour of stereo take about 70 MB; more than this is rare.
    static PeakCache cache(512u << 20);
    return cache;
}

bool PeakCache::KeyOf(const std::string& path, Key& key) {
    std::error_code ec;
    const std::filesystem::path p = PathFromText(path);
    key.path = path;
    key.size = std::filesystem::file_size(p, ec);
    if (ec) return false;
    const auto time = std::filesystem::last_write_time(p, ec);
    if (ec) return false;
    key.modified = static_cast<std::int64_t>(time.time_since_epoch().count());
    return true;
}

std::shared_ptr<const PeakPyramid> PeakCache::FindLocked(const Key& key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->key == key) {
            entries_.splice(entries_.begin(), entries_, it);
            return it->peaks;
        }
    return nullptr;
}

std::shared_ptr<const PeakPyramid> PeakCache::Find(const std::string& path) {
    Key key;
    if (!KeyOf(path, key)) return nullptr;
    std::lock_guard lock(mutex_);
    return FindLocked(key);
}

PeakResult PeakCache::Compute(const std::string& path, const std::atomic<bool>& cancel,
                              const std::function<void(double)>& progress) {
    Key key;
    const bool keyed = KeyOf(path, key);
    if (keyed) {
        std::lock_guard lock(mutex_);
        if (auto peaks = FindLocked(key)) {
            PeakResult found;
            found.layout = ReadWavLayout(path);
            found.peaks = std::move(peaks);
            return found;
        }
    }
    PeakResult result = ComputePeaks(path, cancel, progress);
    // Only a complete, undisturbed read under the same key is kept.
    Key after;
    if (!keyed || !result.peaks || result.readError || !KeyOf(path, after) || !(after == key)) return result;
    std::lock_guard lock(mutex_);
    if (FindLocked(key)) return result;  // another thread was quicker
    for (auto it = entries_.begin(); it != entries_.end();)
        it = it->key.path == path ? (used_ -= it->peaks->MemoryBytes(), entries_.erase(it)) : std::next(it);
    entries_.push_front({key, result.peaks});
    used_ += result.peaks->MemoryBytes();
    while (used_ > budget_ && !entries_.empty()) {
        used_ -= entries_.back().peaks->MemoryBytes();
        entries_.pop_back();
    }
    return result;
}

std::size_t PeakCache::MemoryBytes() const {
    std::lock_guard lock(mutex_);
    return used_;
}

}  // namespace spurwerk
