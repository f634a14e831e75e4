#include "audio/peak_pyramid.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SPURWERK_PEAKS_SSE2 1
#else
#define SPURWERK_PEAKS_SSE2 0
#endif

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
constexpr std::size_t FramesPerStep = 32768;

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

template <typename Extremes>
void PeakPyramid::AddBlocks(std::size_t frames, Extremes extremes) {
    std::size_t first = 0;  // interleaved index of the next frame's first sample
    while (frames > 0 && added_ < frameCount_) {
        const std::uint64_t block = added_ / baseBlock_;
        const std::size_t take = static_cast<std::size_t>(
            std::min<std::uint64_t>(frames, (block + 1) * baseBlock_ - added_));
        for (std::uint16_t c = 0; c < channels_; ++c) {
            const PeakPair pair = extremes(first + c, take, c);
            PeakPair& entry = Base(block, c);
            entry = {std::min(entry.min, pair.min), std::max(entry.max, pair.max)};
        }
        first += take * channels_;
        frames -= take;
        added_ += take;
    }
}

namespace {

// Extremes of `take` samples `stride` apart from index `at`, converted once.
// Two running extremes: neighbouring comparisons do not wait for each other.
template <typename SampleAt, typename ToFloat>
PeakPair Extremes(SampleAt sampleAt, std::size_t at, std::size_t take, std::size_t stride, ToFloat toFloat) {
    using Sample = decltype(sampleAt(at));
    auto widen = [](Sample s, Sample& lo, Sample& hi) {
        lo = s < lo ? s : lo;
        hi = s > hi ? s : hi;
    };
    Sample lo0 = sampleAt(at), hi0 = lo0, lo1 = lo0, hi1 = lo0;
    std::size_t i = 1;
    for (; i + 2 <= take; i += 2) {
        widen(sampleAt(at + i * stride), lo0, hi0);
        widen(sampleAt(at + (i + 1) * stride), lo1, hi1);
    }
    if (i < take) widen(sampleAt(at + i * stride), lo0, hi0);
    return {toFloat(std::min(lo0, lo1)), toFloat(std::max(hi0, hi1))};
}

float IntToFloat(std::int32_t v) { return static_cast<float>(v) * SampleIntToFloat; }

#if SPURWERK_PEAKS_SSE2
// Mono 24-bit, the recorder's own format, four samples at a time. Left-aligned
// 24-bit values are exact as floats, so the extremes are taken on floats and
// scaled once, giving the same numbers as the scalar path.
__m128i Word(const std::uint8_t* p) {
    std::int32_t w;
    std::memcpy(&w, p, sizeof w);
    return _mm_cvtsi32_si128(w);
}

PeakPair Extremes24Mono(const std::uint8_t* bytes, std::size_t take) {
    __m128 lo = _mm_set1_ps(std::numeric_limits<float>::infinity());
    __m128 hi = _mm_set1_ps(-std::numeric_limits<float>::infinity());
    std::size_t i = 0;
    // The fourth sample's word reads a byte beyond it: StoredSlack.
    for (; i + 4 <= take; i += 4) {
        const std::uint8_t* p = bytes + 3 * i;
        const __m128i words =
            _mm_unpacklo_epi64(_mm_unpacklo_epi32(Word(p), Word(p + 3)), _mm_unpacklo_epi32(Word(p + 6), Word(p + 9)));
        const __m128 values = _mm_cvtepi32_ps(_mm_slli_epi32(words, 8));
        lo = _mm_min_ps(lo, values);
        hi = _mm_max_ps(hi, values);
    }
    alignas(16) float l[4], h[4];
    _mm_store_ps(l, lo);
    _mm_store_ps(h, hi);
    float low = std::min({l[0], l[1], l[2], l[3]}), high = std::max({h[0], h[1], h[2], h[3]});
    for (; i < take; ++i) {
        const auto v = static_cast<float>(StoredPcmSample<24>(bytes + 3 * i));
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return {low * SampleIntToFloat, high * SampleIntToFloat};
}

// Mono 16-bit: eight samples a compare, on the stored integers.
PeakPair Extremes16Mono(const std::uint8_t* bytes, std::size_t take) {
    __m128i lo = _mm_set1_epi16(std::numeric_limits<std::int16_t>::max());
    __m128i hi = _mm_set1_epi16(std::numeric_limits<std::int16_t>::min());
    std::size_t i = 0;
    for (; i + 8 <= take; i += 8) {
        const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * i));
        lo = _mm_min_epi16(lo, values);
        hi = _mm_max_epi16(hi, values);
    }
    alignas(16) std::int16_t l[8], h[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(l), lo);
    _mm_store_si128(reinterpret_cast<__m128i*>(h), hi);
    std::int32_t low = *std::min_element(l, l + 8) * 65536, high = *std::max_element(h, h + 8) * 65536;
    for (; i < take; ++i) {
        const std::int32_t v = StoredPcmSample<16>(bytes + 2 * i);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return {IntToFloat(low), IntToFloat(high)};
}
#endif

}  // namespace

void PeakPyramid::Add(const float* samples, std::size_t frames) {
    AddBlocks(frames, [&](std::size_t at, std::size_t take, std::uint16_t) {
        return Extremes([samples](std::size_t i) { return samples[i]; }, at, take, channels_, [](float v) { return v; });
    });
}

void PeakPyramid::AddStored(const std::uint8_t* bytes, std::size_t frames, std::uint16_t bits) {
    // The reader's own conversion; it keeps order, so converting the extremes
    // gives the extremes of the converted samples.
    auto add = [&](auto sampleAt) {
        AddBlocks(frames, [&](std::size_t at, std::size_t take, std::uint16_t) {
            return Extremes(sampleAt, at, take, channels_, IntToFloat);
        });
    };
    switch (bits) {
    case 8: add([bytes](std::size_t i) { return StoredPcmSample<8>(bytes + i); }); break;
    case 16:
#if SPURWERK_PEAKS_SSE2
        if (channels_ == 1) {
            AddBlocks(frames, [&](std::size_t at, std::size_t take, std::uint16_t) {
                return Extremes16Mono(bytes + 2 * at, take);
            });
            break;
        }
#endif
        add([bytes](std::size_t i) { return StoredPcmSample<16>(bytes + 2 * i); });
        break;
    case 24:
#if SPURWERK_PEAKS_SSE2
        if (channels_ == 1) {
            AddBlocks(frames, [&](std::size_t at, std::size_t take, std::uint16_t) {
                return Extremes24Mono(bytes + 3 * at, take);
            });
            break;
        }
#endif
        add([bytes](std::size_t i) { return StoredPcmSample<24>(bytes + 3 * i); });
        break;
    case 32: add([bytes](std::size_t i) { return StoredPcmSample<32>(bytes + 4 * i); }); break;
    default: break;
    }
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
    // Feeds what `read(n)` delivers until the end; false on cancel.
    auto feed = [&](auto read) {
        std::uint64_t done = 0;
        int step = 0;
        while (std::size_t got = read(FramesPerStep)) {
            if (cancel.load(std::memory_order_relaxed)) return false;
            done += got;
            if (progress && ++step % 16 == 0)
                progress(static_cast<double>(done) / static_cast<double>(result.layout.frameCount));
        }
        return true;
    };
    bool finished;
    if (result.layout.isFloat) {
        std::vector<float> samples(FramesPerStep * result.layout.channels);
        finished = feed([&](std::size_t n) {
            const std::size_t got = reader.ReadFloat(samples.data(), n);
            peaks->Add(samples.data(), got);
            return got;
        });
    } else {
        finished = feed([&](std::size_t n) {
            const std::uint8_t* bytes = nullptr;
            const std::size_t got = reader.ReadStored(bytes, n);
            peaks->AddStored(bytes, got, result.layout.bitsPerSample);
            return got;
        });
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
