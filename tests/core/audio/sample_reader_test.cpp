// The sample reader against files built here with known content, and against
// files other programs (sox, ffmpeg) write.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <tuple>

#include "audio/sample_reader.h"
#include "process.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk {
namespace {

using namespace testing;

struct LayoutCase {
    const char* name;
    WavShape shape;
    Bytes data;
    WavFault fault;
    std::uint64_t frames;
    std::uint64_t dataSize;
    bool truncated;
};

TEST(SampleReaderTest, LayoutOfBuiltFiles) {
    const Bytes six(6, 0);
    const std::vector<LayoutCase> cases = {
        {"16-bit mono", {}, Bytes(20, 0), WavFault::None, 10, 20, false},
        {"odd trailing byte after three frames", {}, Bytes(7, 0), WavFault::None, 3, 7, false},
        {"truncated data chunk", {.declaredDataSize = 1000}, Bytes(10, 0), WavFault::None, 5, 10, true},
        {"data claims less than the file holds", {.declaredDataSize = 4}, Bytes(10, 0), WavFault::None, 2, 4, false},
        {"RF64", {.container = "RF64", .channels = 2, .bits = 24}, Bytes(60, 0), WavFault::None, 10, 60, false},
        {"BW64 truncated", {.container = "BW64", .declaredDataSize = 5000000000}, Bytes(8, 0), WavFault::None, 4, 8, true},
        {"6-channel extensible 24-bit",
         {.channels = 6, .bits = 24, .extensible = true, .channelMask = 0x3F}, Bytes(18 * 4, 0), WavFault::None, 4, 72, false},
        {"24 bits in a 32-bit container", {.bits = 32, .extensible = true, .validBits = 24}, Bytes(16, 0), WavFault::None, 4, 16, false},
        {"float 32", {.bits = 32, .isFloat = true}, Bytes(16, 0), WavFault::None, 4, 16, false},
        {"float 64 stereo", {.channels = 2, .bits = 64, .isFloat = true}, Bytes(32, 0), WavFault::None, 2, 32, false},
        {"8 channels 8-bit", {.channels = 8, .bits = 8}, Bytes(16, 0), WavFault::None, 2, 16, false},
        {"chunks between format and data",
         {.chunksBeforeData = {Chunk("LIST", 26), Chunk("JUNK", 3), Chunk("bext", 602)}}, six, WavFault::None, 3, 6, false},
        {"9 channels", {.channels = 9}, six, WavFault::UnsupportedFormat, 0, 0, false},
        {"12-bit", {.bits = 12}, six, WavFault::UnsupportedFormat, 0, 0, false},
        {"float 16", {.bits = 16, .isFloat = true}, six, WavFault::UnsupportedFormat, 0, 0, false},
        {"no channels", {.channels = 0}, six, WavFault::UnsupportedFormat, 0, 0, false},
        {"rate 0", {.rate = 0}, six, WavFault::BadLayout, 0, 0, false},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir / "T.WAV", BuildWav(c.shape, c.data));
        const WavLayout layout = ReadWavLayout((dir / "T.WAV").string());
        EXPECT_EQ(std::tuple(layout.fault, layout.frameCount, layout.dataSize, layout.Truncated()),
                  std::tuple(c.fault, c.frames, c.dataSize, c.truncated));
        if (c.fault != WavFault::None) continue;
        const WavShape& s = c.shape;
        // container, channels, bits, float, extensible, tag, valid bits, mask, block align
        EXPECT_EQ(std::tuple(layout.container, layout.channels, layout.bitsPerSample, layout.isFloat, layout.extensible,
                             layout.formatTag, layout.validBits, layout.channelMask, layout.blockAlign),
                  std::tuple(s.container, s.channels, s.bits, s.isFloat, s.extensible,
                             s.extensible ? 0xFFFE : (s.isFloat ? 3 : 1), s.validBits ? s.validBits : s.bits,
                             s.channelMask, s.channels * s.bits / 8));
        // The sample bytes end the file (apart from the pad byte): the offset
        // says exactly where they are.
        const Bytes file = ReadBytes(dir / "T.WAV");
        const std::size_t pad = c.data.size() & 1;
        EXPECT_EQ(static_cast<std::uint64_t>(layout.dataOffset) + c.data.size() + pad, file.size());
        ASSERT_FALSE(layout.chunks.empty());
        const WavChunk& data = layout.chunks.back();
        EXPECT_EQ(std::tuple(data.id, data.offset + 8, data.length, layout.chunks.size()),
                  std::tuple("data", layout.dataOffset, layout.declaredDataSize,
                             (s.container == "RIFF" ? 2u : 3u) + s.chunksBeforeData.size()));
    }
}

TEST(SampleReaderTest, FaultsOfDamagedFiles) {
    const Bytes good = BuildWav({}, Bytes(8, 0));
    Bytes compressed = good;
    compressed[20] = 2;  // ADPCM
    Bytes notWave = good;
    notWave[8] = 'X';
    Bytes badAlign = good;
    SetWord(badAlign, 32, 3);
    Bytes badGuid = BuildWav({.extensible = true}, Bytes(8, 0));
    badGuid[20 + 26] = 0x99;
    const std::tuple<const char*, Bytes, WavFault> cases[] = {
        {"empty", {}, WavFault::NotWave},
        {"only the RIFF header", Bytes(good.begin(), good.begin() + 12), WavFault::NoFormat},
        {"header cut inside the format chunk", Bytes(good.begin(), good.begin() + 30), WavFault::NoFormat},
        {"no data chunk", Bytes(good.begin(), good.begin() + 36), WavFault::NoData},
        {"data before format", Riff("WAVE", {Chunk("data", 4), FmtChunk(1, 8000, 16)}), WavFault::NoFormat},
        {"short format chunk", Riff("WAVE", {Chunk("fmt ", 14), Chunk("data", 4)}), WavFault::NoFormat},
        {"compressed", compressed, WavFault::UnsupportedFormat},
        {"not WAVE", notWave, WavFault::NotWave},
        {"block align not channels times bytes", badAlign, WavFault::BadLayout},
        {"extensible sub-format not PCM", badGuid, WavFault::UnsupportedFormat},
        {"RF64 without ds64", [] { Bytes b = BuildWav({}, Bytes(4, 0)); b[0] = 'R', b[1] = 'F', b[2] = '6', b[3] = '4'; return b; }(),
         WavFault::NotWave},
        {"huge chunk length before data", Riff("WAVE", {FmtChunk(1, 8000, 16), Chunk("JUNK", 0xFFFFFFF0, 4)}),
         WavFault::NoData},
    };
    TempDir dir;
    for (const auto& [name, bytes, fault] : cases) {
        SCOPED_TRACE(name);
        WriteBytes(dir / "T.WAV", bytes);
        SampleReader reader = SampleReader::Open((dir / "T.WAV").string());
        EXPECT_EQ(reader.Layout().fault, fault);
        EXPECT_FALSE(WavFaultText(reader.Layout().fault).empty());
        float sink[4];
        EXPECT_EQ(reader.ReadFloat(sink, 1), 0u);
    }
    EXPECT_EQ(ReadWavLayout((dir / "MISSING.WAV").string()).fault, WavFault::CannotOpen);
    EXPECT_EQ(ReadWavLayout(dir.path().string()).fault, WavFault::CannotOpen);
}

struct ValueCase {
    const char* name;
    WavShape shape;
    Bytes data;
    std::vector<std::int32_t> ints;
    std::vector<float> floats;
};

TEST(SampleReaderTest, DecodedValues) {
    constexpr std::int32_t Min = INT32_MIN, Max = INT32_MAX;
    const std::vector<ValueCase> cases = {
        {"8-bit unsigned", {.bits = 8}, Bytes{0, 128, 255, 64}, {Min, 0, 0x7F000000, -0x40000000}, {-1.0f, 0.0f, 127.0f / 128, -0.5f}},
        {"16-bit full scale", {.bits = 16}, IntSampleBytes(16, {0x7FFF0000, Min, 0, -0x10000}),
         {0x7FFF0000, Min, 0, -0x10000}, {32767.0f / 32768, -1.0f, 0.0f, -1.0f / 32768}},
        {"24-bit negative full scale and -1", {.bits = 24}, Bytes{0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0, 0},
         {Min, -256, 0x7FFFFF00, 0x100}, {-1.0f, -1.0f / 8388608, 8388607.0f / 8388608, 1.0f / 8388608}},
        {"32-bit int", {.bits = 32}, IntSampleBytes(32, {Max, Min, 12345, -1}), {Max, Min, 12345, -1},
         {1.0f, -1.0f, 12345.0f / 2147483648.0f, -1.0f / 2147483648.0f}},
        {"24 in 32 extensible", {.bits = 32, .extensible = true, .validBits = 24}, IntSampleBytes(32, {0x40000000, Min}),
         {0x40000000, Min}, {0.5f, -1.0f}},
        {"float 32, beyond full scale kept as float, clamped as int", {.bits = 32, .isFloat = true},
         FloatSampleBytes(32, {0.25, -0.5, 1.5, -2.0}), {0x20000000, -0x40000000, Max, Min}, {0.25f, -0.5f, 1.5f, -2.0f}},
        {"float 64", {.bits = 64, .isFloat = true}, FloatSampleBytes(64, {0.125, -1.0}), {0x10000000, Min}, {0.125f, -1.0f}},
        {"stereo interleaved 16-bit", {.channels = 2, .bits = 16}, IntSampleBytes(16, {0x10000, -0x10000, 0x20000, -0x20000}),
         {0x10000, -0x10000, 0x20000, -0x20000}, {1.0f / 32768, -1.0f / 32768, 2.0f / 32768, -2.0f / 32768}},
        {"silence 24-bit stereo RF64", {.container = "RF64", .channels = 2, .bits = 24}, Bytes(12, 0), {0, 0, 0, 0},
         {0.0f, 0.0f, 0.0f, 0.0f}},
        {"6 channels extensible", {.channels = 6, .bits = 16, .extensible = true, .channelMask = 0x3F},
         IntSampleBytes(16, {1 << 16, 2 << 16, 3 << 16, 4 << 16, 5 << 16, 6 << 16}),
         {1 << 16, 2 << 16, 3 << 16, 4 << 16, 5 << 16, 6 << 16},
         {1.0f / 32768, 2.0f / 32768, 3.0f / 32768, 4.0f / 32768, 5.0f / 32768, 6.0f / 32768}},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir / "T.WAV", BuildWav(c.shape, c.data));
        const std::size_t frames = c.ints.size() / c.shape.channels;
        SampleReader reader = SampleReader::Open((dir / "T.WAV").string());
        ASSERT_TRUE(reader.Layout().Ok()) << WavFaultText(reader.Layout().fault);
        std::vector<std::int32_t> ints(c.ints.size() + 8, 77);
        EXPECT_EQ(reader.ReadInt32(ints.data(), frames + 1), frames);
        ints.resize(c.ints.size());
        EXPECT_EQ(ints, c.ints);
        EXPECT_EQ(reader.Position(), frames);
        ASSERT_TRUE(reader.Seek(0));
        std::vector<float> floats(c.floats.size());
        EXPECT_EQ(reader.ReadFloat(floats.data(), frames), frames);
        EXPECT_EQ(floats, c.floats);
        EXPECT_FALSE(reader.ReadError());
    }
}

// Blocks of any size, seeks anywhere, and reads past the end: the same frames.
TEST(SampleReaderTest, BlockwiseReadsMatchOneRead) {
    TempDir dir;
    const WavShape shape{.channels = 3, .bits = 24};
    const std::vector<std::int32_t> sine = SineSamples(40000, 3, 0.9, 441, 48000);
    WriteBytes(dir / "T.WAV", BuildWav(shape, IntSampleBytes(24, sine)));
    SampleReader reader = SampleReader::Open((dir / "T.WAV").string());
    ASSERT_EQ(reader.Layout().frameCount, 40000u);
    std::vector<std::int32_t> whole(40000 * 3);
    ASSERT_EQ(reader.ReadInt32(whole.data(), 40000), 40000u);
    for (std::size_t i = 0; i < whole.size(); ++i) ASSERT_EQ(whole[i], sine[i] & ~0xFF) << i;
    for (std::size_t block : {1u, 7u, 1000u, 16384u, 16385u}) {
        SCOPED_TRACE(block);
        ASSERT_TRUE(reader.Seek(123));
        std::vector<std::int32_t> part(block * 3);
        std::uint64_t at = 123;
        while (std::size_t got = reader.ReadInt32(part.data(), block)) {
            for (std::size_t i = 0; i < got * 3; ++i) ASSERT_EQ(part[i], whole[at * 3 + i]);
            at += got;
        }
        EXPECT_EQ(at, 40000u);
    }
    EXPECT_TRUE(reader.Seek(40000));
    EXPECT_FALSE(reader.Seek(40001));
    EXPECT_EQ(reader.Position(), 40000u);
}

// A file that shrinks after opening: the reader stops and says so.
TEST(SampleReaderTest, FileShrunkWhileReading) {
    TempDir dir;
    WriteBytes(dir / "T.WAV", BuildWav({}, Bytes(200000, 1)));
    SampleReader reader = SampleReader::Open((dir / "T.WAV").string());
    ASSERT_EQ(reader.Layout().frameCount, 100000u);
    std::filesystem::resize_file(dir / "T.WAV", 44 + 100);
    // What the C library had buffered before the cut may still come.
    std::vector<float> out(100000);
    EXPECT_LT(reader.ReadFloat(out.data(), 100000), 100000u);
    EXPECT_TRUE(reader.ReadError());
}

#ifndef _WIN32
// Files other programs wrote. sox's own conversion to 32-bit signed raw is
// left-aligned int32 too, so the reader must give exactly those numbers.
struct ForeignCase {
    const char* name;
    std::string program;
    std::vector<std::string> arguments;  // the output path is appended
    std::uint16_t channels, bits;
    bool isFloat, extensible, rf64;
    std::uint64_t frames;
    double peak;
};

TEST(SampleReaderTest, FilesOfSoxAndFfmpeg) {
    const std::vector<std::string> sine = {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=0.25"};
    auto ff = [&](std::vector<std::string> more) {
        std::vector<std::string> a = {"-hide_banner", "-loglevel", "error", "-y"};
        a.insert(a.end(), sine.begin(), sine.end());
        a.insert(a.end(), more.begin(), more.end());
        return a;
    };
    const std::vector<ForeignCase> cases = {
        {"sox 16-bit stereo", "sox", {"-n", "-r", "44100", "-b", "16", "-c", "2", "-e", "signed"}, 2, 16, false, false, false, 4410, 0.5},
        {"sox 24-bit mono", "sox", {"-n", "-r", "48000", "-b", "24", "-c", "1", "-e", "signed"}, 1, 24, false, true, false, 4800, 0.5},
        {"sox 6-channel 16-bit", "sox", {"-n", "-r", "48000", "-b", "16", "-c", "6", "-e", "signed"}, 6, 16, false, true, false, 4800, 0.5},
        {"sox 32-bit float", "sox", {"-n", "-r", "48000", "-b", "32", "-c", "1", "-e", "float"}, 1, 32, true, false, false, 4800, 0.5},
        {"sox 8-bit", "sox", {"-n", "-r", "8000", "-b", "8", "-c", "1", "-e", "unsigned"}, 1, 8, false, false, false, 800, 0.5},
        {"ffmpeg 24-bit", "ffmpeg", ff({"-c:a", "pcm_s24le"}), 1, 24, false, true, false, 12000, 0.125},
        {"ffmpeg 64-bit float", "ffmpeg", ff({"-c:a", "pcm_f64le"}), 1, 64, true, true, false, 12000, 0.125},
        {"ffmpeg RF64", "ffmpeg", ff({"-c:a", "pcm_s16le", "-rf64", "always"}), 1, 16, false, false, true, 12000, 0.125},
        {"ffmpeg 6 channels 32-bit", "ffmpeg", ff({"-ac", "6", "-c:a", "pcm_s32le"}), 6, 32, false, true, false, 12000, 0.125},
    };
    for (const ForeignCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string program = "/usr/bin/" + c.program;
        if (!std::filesystem::exists(program)) {
            ADD_FAILURE() << program << " is not installed: the set-up of test.sh installs it";
            continue;
        }
        TempDir dir;
        const std::string file = (dir / "F.WAV").string();
        std::vector<std::string> args = c.arguments;
        args.push_back(file);
        if (c.program == "sox")
            for (const char* s : {"synth", "0.1", "sine", "440", "vol", "0.5"}) args.push_back(s);
        const ProcessResult made = RunProcess(program, args);
        ASSERT_EQ(made.exitCode, 0) << made.err;
        SampleReader reader = SampleReader::Open(file);
        const WavLayout& layout = reader.Layout();
        ASSERT_TRUE(layout.Ok()) << WavFaultText(layout.fault);
        EXPECT_EQ(std::tuple(layout.channels, layout.bitsPerSample, layout.isFloat, layout.extensible,
                             layout.container == "RF64", layout.frameCount),
                  std::tuple(c.channels, c.bits, c.isFloat, c.extensible, c.rf64, c.frames));
        std::vector<std::int32_t> ints(layout.frameCount * layout.channels);
        ASSERT_EQ(reader.ReadInt32(ints.data(), layout.frameCount), layout.frameCount);
        double peak = 0;
        for (std::int32_t v : ints) peak = std::max(peak, std::fabs(v / 2147483648.0));
        EXPECT_NEAR(peak, c.peak, 0.01);
        if (c.isFloat) continue;
        const std::string raw = (dir / "F.raw").string();
        ASSERT_EQ(RunProcess("/usr/bin/sox", {file, "-t", "raw", "-e", "signed", "-b", "32", "-L", raw}).exitCode, 0);
        const Bytes rawBytes = ReadBytes(raw);
        ASSERT_EQ(rawBytes.size(), ints.size() * 4);
        for (std::size_t i = 0; i < ints.size(); ++i) {
            const auto expected = static_cast<std::int32_t>(
                static_cast<std::uint32_t>(rawBytes[4 * i]) | static_cast<std::uint32_t>(rawBytes[4 * i + 1]) << 8 |
                static_cast<std::uint32_t>(rawBytes[4 * i + 2]) << 16 | static_cast<std::uint32_t>(rawBytes[4 * i + 3]) << 24);
            ASSERT_EQ(ints[i], expected) << "sample " << i;
        }
    }
}
#endif

}  // namespace
}  // namespace spurwerk
