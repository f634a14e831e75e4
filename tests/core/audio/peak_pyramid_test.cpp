// Peak overviews: any range answered from the pyramid equals the minimum and
// maximum of the samples themselves (over whole base blocks).

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <thread>

#include "audio/peak_cache.h"
#include "audio/peak_pyramid.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk {
namespace {

using namespace testing;

// The reference: min/max straight from the samples over [first, end) widened to base blocks.
PeakPair Direct(const std::vector<float>& s, std::uint16_t channels, std::uint16_t c, std::uint64_t frames,
                std::uint32_t block, std::uint64_t first, std::uint64_t end) {
    if (first >= std::min(end, frames)) return {};
    first = first / block * block;
    end = std::min(frames, (end + block - 1) / block * block);
    if (first >= end) return {};
    PeakPair p{s[first * channels + c], s[first * channels + c]};
    for (std::uint64_t i = first; i < end; ++i) {
        p.min = std::min(p.min, s[i * channels + c]);
        p.max = std::max(p.max, s[i * channels + c]);
    }
    return p;
}

TEST(PeakPyramidTest, RangesMatchTheSamples) {
    struct Case {
        std::uint16_t channels;
        std::uint64_t frames;
    };
    std::mt19937 random(7);
    for (Case c : {Case{1, 1}, Case{1, 63}, Case{2, 64 * 4 * 4 * 4 + 17}, Case{3, 100000}, Case{8, 5000}}) {
        SCOPED_TRACE(c.frames);
        std::vector<float> samples(c.frames * c.channels);
        std::uniform_real_distribution<float> value(-1, 1);
        for (float& s : samples) s = value(random);
        PeakPyramid peaks(c.channels, c.frames);
        // Fed in uneven pieces, as reads deliver them.
        for (std::uint64_t at = 0; at < c.frames;) {
            const std::uint64_t n = std::min<std::uint64_t>(c.frames - at, 1 + random() % 700);
            peaks.Add(samples.data() + at * c.channels, n);
            at += n;
        }
        peaks.Finish();
        std::uniform_int_distribution<std::uint64_t> pos(0, c.frames);
        for (int i = 0; i < 300; ++i) {
            std::uint64_t a = pos(random), b = pos(random);
            if (i == 0) a = 0, b = c.frames;
            if (a > b) std::swap(a, b);
            const auto ch = static_cast<std::uint16_t>(random() % c.channels);
            ASSERT_EQ(peaks.Range(ch, a, b), Direct(samples, c.channels, ch, c.frames, peaks.BaseBlockFrames(), a, b))
                << a << ".." << b << " channel " << ch;
        }
        EXPECT_EQ(peaks.Range(0, 5, 5), PeakPair{});
        EXPECT_EQ(peaks.Range(c.channels, 0, c.frames), PeakPair{});
    }
}

TEST(PeakPyramidTest, ColumnsSplitTheRangeEvenly) {
    // One frame a block would be needed to see single frames; a ramp over
    // 64-frame blocks shows the column bounds instead.
    const std::uint64_t frames = 64 * 10;
    std::vector<float> ramp(frames);
    for (std::uint64_t i = 0; i < frames; ++i) ramp[i] = static_cast<float>(i) / frames;
    PeakPyramid peaks(1, frames);
    peaks.Add(ramp.data(), frames);
    peaks.Finish();
    const std::vector<PeakPair> five = peaks.Columns(0, 0, frames, 5);
    ASSERT_EQ(five.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(five[i], (PeakPair{ramp[i * 128], ramp[i * 128 + 127]})) << i;
    // More columns than blocks: neighbours share a block, none is empty.
    const std::vector<PeakPair> many = peaks.Columns(0, 0, frames, 1000);
    EXPECT_EQ(many.front().min, 0.0f);
    EXPECT_EQ(many.back().max, ramp.back());
    EXPECT_TRUE(peaks.Columns(0, 10, 10, 3) == std::vector<PeakPair>(3));
}

TEST(PeakPyramidTest, MemoryIsBoundedForLongFiles) {
    // Six hours of stereo at 48 kHz (a 3 GiB file at 24 bits); only allocated, never fed.
    const std::uint64_t frames = 6ull * 3600 * 48000;
    PeakPyramid peaks(2, frames);
    EXPECT_GE(peaks.BaseBlockFrames(), frames / MaxPeakBaseBlocks);
    EXPECT_LE(peaks.MemoryBytes(), 2 * MaxPeakBaseBlocks * sizeof(PeakPair) + 1024);
}

TEST(PeakPyramidTest, ComputedFromFiles) {
    TempDir dir;
    WriteSineWav(dir / "S.WAV", {.channels = 2, .bits = 24}, 1.0, 0.75, 100);
    WriteBytes(dir / "CUT.WAV", BuildWav({.declaredDataSize = 100000}, IntSampleBytes(16, {0x40000000, -0x20000000})));
    WriteBytes(dir / "BAD.WAV", Bytes(100, 0));
    const std::atomic<bool> go{false};
    std::vector<double> progress;
    PeakResult sine = ComputePeaks((dir / "S.WAV").string(), go, [&](double p) { progress.push_back(p); });
    ASSERT_TRUE(sine.peaks);
    const PeakPair whole = sine.peaks->Range(1, 0, sine.layout.frameCount);
    EXPECT_NEAR(whole.max, 0.75f, 1e-6);
    EXPECT_NEAR(whole.min, -0.75f, 1e-6);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    PeakResult cut = ComputePeaks((dir / "CUT.WAV").string(), go);
    ASSERT_TRUE(cut.peaks);
    EXPECT_TRUE(cut.layout.Truncated());
    EXPECT_EQ(cut.peaks->Range(0, 0, 2), (PeakPair{-0.25f, 0.5f}));

    PeakResult bad = ComputePeaks((dir / "BAD.WAV").string(), go);
    EXPECT_FALSE(bad.peaks);
    EXPECT_EQ(bad.layout.fault, WavFault::NotWave);

    const std::atomic<bool> stop{true};
    PeakResult cancelled = ComputePeaks((dir / "S.WAV").string(), stop);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.peaks);
}

TEST(PeakPyramidTest, StoredPcmGivesTheExtremesOfTheFloatSamples) {
    // The quick paths (extremes on the stored integers, the mono 16- and
    // 24-bit vector paths) must give exactly what the reader's floats give, over
    // blocks that straddle reads and frame counts that are no multiple of 4.
    struct Case {
        std::uint16_t bits, channels;
        std::size_t frames;
    };
    TempDir dir;
    std::mt19937 random(11);
    const std::atomic<bool> go{false};
    for (Case c : {Case{8, 1, 1001}, Case{16, 1, 70001}, Case{16, 2, 3333}, Case{24, 1, 70001}, Case{24, 1, 3},
                   Case{24, 2, 5003}, Case{24, 3, 777}, Case{32, 1, 4099}, Case{32, 2, 65}}) {
        SCOPED_TRACE(::testing::Message() << c.bits << " bits, " << c.channels << " channels");
        std::vector<std::int32_t> values(c.frames * c.channels);
        for (std::int32_t& v : values) v = static_cast<std::int32_t>(random());
        // Full scale both ways somewhere, and a run of one value.
        values[values.size() / 2] = std::numeric_limits<std::int32_t>::min();
        values[values.size() / 3] = std::numeric_limits<std::int32_t>::max();
        const auto file = dir / "P.WAV";
        WriteBytes(file, BuildWav({.channels = c.channels, .bits = c.bits}, IntSampleBytes(c.bits, values)));

        SampleReader reader = SampleReader::Open(file.string());
        std::vector<float> floats(c.frames * c.channels);
        ASSERT_EQ(reader.ReadFloat(floats.data(), c.frames), c.frames);
        PeakPyramid expected(c.channels, c.frames);
        expected.Add(floats.data(), c.frames);
        expected.Finish();

        const PeakResult computed = ComputePeaks(file.string(), go);
        ASSERT_TRUE(computed.peaks);
        for (std::uint16_t ch = 0; ch < c.channels; ++ch)
            for (std::uint64_t first = 0; first < c.frames; first += expected.BaseBlockFrames())
                ASSERT_EQ(computed.peaks->Range(ch, first, first + 1), expected.Range(ch, first, first + 1))
                    << "channel " << ch << " frame " << first;
    }
}

TEST(PeakCacheTest, KeyedByPathSizeAndTimeAndBounded) {
    TempDir dir;
    WriteSineWav(dir / "A.WAV", {}, 0.5, 0.5, 100);
    WriteSineWav(dir / "B.WAV", {}, 0.5, 0.25, 100);
    const std::string a = (dir / "A.WAV").string(), b = (dir / "B.WAV").string();
    const std::atomic<bool> go{false};
    PeakCache cache(1 << 20);
    EXPECT_FALSE(cache.Find(a));
    PeakResult first = cache.Compute(a, go);
    ASSERT_TRUE(first.peaks);
    EXPECT_EQ(cache.Find(a), first.peaks);                 // the same overview, not a new one
    EXPECT_EQ(cache.Compute(a, go).peaks, first.peaks);
    // A changed file (other size) is computed afresh.
    WriteSineWav(dir / "A.WAV", {}, 0.6, 0.5, 100);
    EXPECT_FALSE(cache.Find(a));
    PeakResult second = cache.Compute(a, go);
    ASSERT_TRUE(second.peaks);
    EXPECT_NE(second.peaks, first.peaks);
    // Same size, other modification time.
    WriteSineWav(dir / "B.WAV", {}, 0.5, 0.25, 100);
    ASSERT_TRUE(cache.Compute(b, go).peaks);
    const auto later = std::filesystem::last_write_time(dir / "B.WAV") + std::chrono::seconds(5);
    std::filesystem::last_write_time(dir / "B.WAV", later);
    EXPECT_FALSE(cache.Find(b));
    // Faults are not kept: the file may be mended.
    WriteBytes(dir / "C.WAV", Bytes(10, 0));
    EXPECT_FALSE(cache.Compute((dir / "C.WAV").string(), go).peaks);
    EXPECT_FALSE(cache.Find((dir / "C.WAV").string()));

    // A small budget keeps only the most recent overviews.
    PeakCache small(second.peaks->MemoryBytes() + 100);
    ASSERT_TRUE(small.Compute(a, go).peaks);
    ASSERT_TRUE(small.Compute(b, go).peaks);
    EXPECT_FALSE(small.Find(a));
    EXPECT_TRUE(small.Find(b));
    EXPECT_LE(small.MemoryBytes(), second.peaks->MemoryBytes() + 100);
}

TEST(PeakCacheTest, ThreadsShareOneCache) {
    TempDir dir;
    for (char n : {'A', 'B', 'C', 'D'}) WriteSineWav(dir / (std::string(1, n) + ".WAV"), {}, 0.2, 0.5, 100);
    PeakCache cache(64 << 20);
    const std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    std::atomic<int> ok{0};
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            const std::string name = std::string(1, static_cast<char>('A' + t % 4)) + ".WAV";
            if (cache.Compute((dir / name).string(), go).peaks) ++ok;
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(ok, 8);
    for (char n : {'A', 'B', 'C', 'D'}) EXPECT_TRUE(cache.Find((dir / (std::string(1, n) + ".WAV")).string()));
}

}  // namespace
}  // namespace spurwerk
