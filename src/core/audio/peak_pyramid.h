#pragma once
// Waveform overviews: the minimum and maximum of every block of frames per
// channel, and coarser levels made from the finer ones, so a column of any
// width is answered from a few entries. Computed once per file in a worker
// thread (cancellable, with progress), kept only in memory.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/sample_reader.h"

namespace spurwerk {

struct PeakPair {
    float min = 0;
    float max = 0;
    bool operator==(const PeakPair&) const = default;
};

// Each level's block holds this many blocks of the level below.
constexpr std::uint32_t PeakLevelFactor = 4;
// The finest block, in frames, for files of ordinary length.
constexpr std::uint32_t PeakBaseBlock = 64;
// Longer files get longer base blocks, so a file of any size (3 GiB and more)
// costs at most this many base entries per channel.
constexpr std::uint64_t MaxPeakBaseBlocks = 1u << 19;

class PeakPyramid {
public:
    PeakPyramid(std::uint16_t channels, std::uint64_t frameCount);

    std::uint16_t Channels() const { return channels_; }
    std::uint64_t FrameCount() const { return frameCount_; }
    std::uint32_t BaseBlockFrames() const { return baseBlock_; }
    std::size_t MemoryBytes() const;

    // Minimum and maximum of `channel` over the frames [first, end), widened to
    // whole base blocks; {0, 0} for an empty range.
    PeakPair Range(std::uint16_t channel, std::uint64_t first, std::uint64_t end) const;
    // `width` columns over the frames [first, end): column i covers
    // [first + i * n / width, first + (i + 1) * n / width) (n = end - first),
    // never less than one frame.
    std::vector<PeakPair> Columns(std::uint16_t channel, std::uint64_t first, std::uint64_t end, int width) const;

    // Feeding, in frame order: `frames` interleaved frames, as floats or as
    // integer PCM of `bits` bits straight from the file (SampleReader::ReadStored);
    // PCM extremes are found on the integers and only they are converted.
    void Add(const float* samples, std::size_t frames);
    void AddStored(const std::uint8_t* bytes, std::size_t frames, std::uint16_t bits);
    // Builds the coarser levels once every frame was added.
    void Finish();

private:
    // `extremes(first, take, channel)` gives the pair of one channel over
    // `take` frames from the interleaved sample index `first`.
    template <typename Extremes>
    void AddBlocks(std::size_t frames, Extremes extremes);
    PeakPair& Base(std::uint64_t block, std::uint16_t channel) { return levels_[0][block * channels_ + channel]; }

    std::uint16_t channels_;
    std::uint64_t frameCount_;
    std::uint32_t baseBlock_;
    std::uint64_t added_ = 0;
    std::vector<std::vector<PeakPair>> levels_;  // entry = block * channels + channel
};

struct PeakResult {
    WavLayout layout;
    std::shared_ptr<const PeakPyramid> peaks;  // null when the file gives no samples or on cancel
    bool cancelled = false;
    bool readError = false;  // the file shrank or failed while being read
};

// Reads the whole file. `progress` (may be empty) gets 0..1 now and then;
// setting `cancel` ends the work soon, with `cancelled` set.
PeakResult ComputePeaks(const std::string& path, const std::atomic<bool>& cancel,
                        const std::function<void(double)>& progress = {});

}  // namespace spurwerk
