#include "audio/peak_pyramid.h"

#include <algorithm>
#include <limits>

namespace spurwerk {

namespace {

PeakPair Widen(PeakPair a, PeakPair b) { return {std::min(a.min, b.min), std::max(a.max, b.max)}; }

constexpr PeakPair EmptyPair{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};

std::uint32_t BaseBlockFor(std::uint64_t frames) {
    std::uint64_t block = PeakBaseBlock;
    while (frames / block > MaxPeakBaseBlocks) block *= 2;
    return static_cast<std::uint32_t>(block);
}

// Frames read per step while computing: a step's samples stay in the cache.
constexpr std::size_t FramesPerStep = 8192;

}  // namespace

PeakPyramid::PeakPyramid(std::uint16_t channels, std::uint64_t frameCount)
    : channels_(channels), frameCount_(frameCount), baseBlock_(BaseBlockFor(frameCount)) {
    const std::uint64_t blocks = (frameCount + baseBlock_ - 1) / baseBlock_;
    levels_.emplace_back(blocks * channels_, EmptyPair);
}

std::size_t PeakPyramid::MemoryBytes() const {
    std::size_t bytes = sizeof *this;
    for (const auto& level : levels_) bytes += level.capacity() * sizeof(PeakPair);
    return bytes;
}

template <typename Sample, typename ToFloat>
void PeakPyramid::AddFrames(const Sample* samples, std::size_t frames, ToFloat toFloat) {
    while (frames > 0 && added_ < frameCount_) {
        const std::uint64_t block = added_ / baseBlock_;
        const std::size_t take = static_cast<std::size_t>(
            std::min<std::uint64_t>(frames, (block + 1) * baseBlock_ - added_));
        for (std::uint16_t c = 0; c < channels_; ++c) {
            Sample lo = samples[c], hi = samples[c];
            for (std::size_t i = 1; i < take; ++i) {
                const Sample s = samples[i * channels_ + c];
                lo = s < lo ? s : lo;
                hi = s > hi ? s : hi;
            }
            PeakPair& entry = Base(block, c);
            entry = {std::min(entry.min, toFloat(lo)), std::max(entry.max, toFloat(hi))};
        }
        samples += take * channels_;
        frames -= take;
        added_ += take;
    }
}

void PeakPyramid::Add(const float* samples, std::size_t frames) {
    AddFrames(samples, frames, [](float v) { return v; });
}

void PeakPyramid::Add(const std::int32_t* samples, std::size_t frames) {
    // The reader's own conversion; it keeps order, so converting the extremes
    // gives the extremes of the converted samples.
    AddFrames(samples, frames, [](std::int32_t v) { return static_cast<float>(v) * SampleIntToFloat; });
}

void PeakPyramid::Finish() {
    // Blocks never fed (a short read) stay empty rather than infinite.
    for (PeakPair& p : levels_[0])
        if (p.min > p.max) p = {};
    while (levels_.back().size() / channels_ > 1) {
        const std::vector<PeakPair>& fine = levels_.back();
        const std::size_t fineBlocks = fine.size() / channels_;
        std::vector<PeakPair> coarse(((fineBlocks + PeakLevelFactor - 1) / PeakLevelFactor) * channels_, EmptyPair);
        for (std::size_t b = 0; b < fineBlocks; ++b)
            for (std::uint16_t c = 0; c < channels_; ++c) {
                PeakPair& to = coarse[(b / PeakLevelFactor) * channels_ + c];
                to = Widen(to, fine[b * channels_ + c]);
            }
        levels_.push_back(std::move(coarse));
    }
}

PeakPair PeakPyramid::Range(std::uint16_t channel, std::uint64_t first, std::uint64_t end) const {
    end = std::min(end, frameCount_);
    if (channel >= channels_ || first >= end) return {};
    std::uint64_t lo = first / baseBlock_, hi = (end + baseBlock_ - 1) / baseBlock_;
    PeakPair acc = EmptyPair;
    auto take = [&](std::size_t level, std::uint64_t block) { acc = Widen(acc, levels_[level][block * channels_ + channel]); };
    for (std::size_t level = 0; lo < hi; ++level) {
        if (level + 1 == levels_.size() || hi - lo < 2 * PeakLevelFactor) {
            for (std::uint64_t b = lo; b < hi; ++b) take(level, b);
            break;
        }
        // The ends that do not fill a block of the next level, then climb.
        while (lo % PeakLevelFactor != 0) take(level, lo++);
        while (hi % PeakLevelFactor != 0 && hi * channels_ != levels_[level].size()) take(level, --hi);
        lo /= PeakLevelFactor;
        hi = (hi + PeakLevelFactor - 1) / PeakLevelFactor;
    }
    return acc;
}

std::vector<PeakPair> PeakPyramid::Columns(std::uint16_t channel, std::uint64_t first, std::uint64_t end, int width) const {
    std::vector<PeakPair> columns(static_cast<std::size_t>(std::max(width, 0)));
    if (end <= first) return columns;
    const std::uint64_t n = end - first;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::uint64_t from = first + i * n / columns.size();
        const std::uint64_t to = std::max(first + (i + 1) * n / columns.size(), from + 1);
        columns[i] = Range(channel, from, to);
    }
    return columns;
}

PeakResult ComputePeaks(const std::string& path, const std::atomic<bool>& cancel,
                        const std::function<void(double)>& progress) {
    PeakResult result;
    SampleReader reader = SampleReader::Open(path);
    result.layout = reader.Layout();
    if (!result.layout.Ok()) return result;
    auto peaks = std::make_shared<PeakPyramid>(result.layout.channels, result.layout.frameCount);
    auto feed = [&](auto& samples, auto read) {
        std::uint64_t done = 0;
        int step = 0;
        while (std::size_t got = read(samples.data(), FramesPerStep)) {
            if (cancel.load(std::memory_order_relaxed)) return false;
            peaks->Add(samples.data(), got);
            done += got;
            if (progress && ++step % 64 == 0)
                progress(static_cast<double>(done) / static_cast<double>(result.layout.frameCount));
        }
        return true;
    };
    bool finished;
    if (result.layout.isFloat) {
        std::vector<float> samples(FramesPerStep * result.layout.channels);
        finished = feed(samples, [&](float* out, std::size_t n) { return reader.ReadFloat(out, n); });
    } else {
        std::vector<std::int32_t> samples(FramesPerStep * result.layout.channels);
        finished = feed(samples, [&](std::int32_t* out, std::size_t n) { return reader.ReadInt32(out, n); });
    }
    if (!finished) {
        result.cancelled = true;
        return result;
    }
    result.readError = reader.ReadError();
    peaks->Finish();
    if (progress) progress(1.0);
    result.peaks = std::move(peaks);
    return result;
}

}  // namespace spurwerk
