// Conversion for the recorder and for other programs, checked by reading the
// written files back with our own sample reader: exactness where nothing
// needs to change, lengths after resampling, dither bounds, and faults that
// must leave nothing behind.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "audio/audio_import.h"
#include "audio/sample_reader.h"
#include "audio/track_export.h"
#include "io/file_io.h"
#include "io/wav_files.h"
#include "settings/ui_texts.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;
namespace fs = std::filesystem;

#define REQUIRE_CONVERSION()                                                                 \
    if (!AudioConversionAvailable()) GTEST_SKIP() << "built without libsndfile and libsoxr"

std::vector<std::int32_t> ReadAllInts(const fs::path& path, WavLayout* layoutOut = nullptr) {
    SampleReader reader = SampleReader::Open(path.string());
    EXPECT_TRUE(reader.Layout().Ok()) << path;
    if (layoutOut) *layoutOut = reader.Layout();
    std::vector<std::int32_t> samples(reader.Layout().frameCount * reader.Layout().channels);
    reader.ReadInt32(samples.data(), reader.Layout().frameCount);
    return samples;
}

ConversionRequest Request(int bits, ChannelMode mode = ChannelMode::Keep, bool replace = true) {
    ConversionRequest request;
    request.bits = bits;
    request.channels = mode;
    request.replace = replace;
    return request;
}

TEST(AudioImportTest, NamesFollowThePickerRuleAndAvoidCollisions) {
    const std::vector<std::string> existing = {"BACKING.WAV", "backin_2.wav", "LONGNAME.WAV", "SONG.WAV"};
    struct Case {
        const char* wish;
        bool mustBeFree;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"/music/Click track.flac", false, "CLICK TR.WAV"},
        {"/music/backing.mp3", false, "BACKIN_3.WAV"},    // BACKING and BACKIN_2 taken (any case)
        {"/music/longname-version2.ogg", false, "LONGNA_2.WAV"},
        {"/music/Grüße.aiff", false, "GR__E.WAV"},
        {"/music/song.final.mp3", false, "SONG_FIN.WAV"}, // only the last extension goes
        {"/music/song.mp3", false, "SONG_2.WAV"},
        {"/music/   .mp3", false, ""},                      // nothing of a name left
        {"/music/.wav", false, "_WAV.WAV"},                // a hidden file's name
        {"BACKING", true, ""},                             // the user's name is taken
        {"mine", true, "MINE.WAV"},
        {"  x  ", true, "X.WAV"},
    };
    for (const Case& c : cases) EXPECT_EQ(ImportFileName(c.wish, existing, c.mustBeFree), c.expected) << c.wish;
}

TEST(AudioImportTest, TrackListsAndFormats) {
    const std::vector<std::pair<std::string, std::optional<std::vector<int>>>> cases = {
        {"1,3-5", std::vector<int>{1, 3, 4, 5}},
        {"5,1,5", std::vector<int>{1, 5}},
        {" 2 - 3 ", std::vector<int>{2, 3}},
        {"16", std::vector<int>{16}},
        {"17", std::nullopt},
        {"0", std::nullopt},
        {"3-1", std::nullopt},
        {"1,,2", std::nullopt},
        {"", std::nullopt},
        {"a", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseTrackList(text, 16), expected) << text;
    EXPECT_EQ(ParseExportFormat("WAV16"), ExportFormat::Wav16);
    EXPECT_EQ(ParseExportFormat("flac"), ExportFormat::Flac);
    EXPECT_EQ(ParseExportFormat("mp3"), std::nullopt);
}

TEST(AudioImportTest, ExportPlanNamesPairsAndChosenTracks) {
    TempDir dir;
    fs::create_directories(dir / "audio");
    WriteBytes(dir / "audio" / "gesang.wav", {});
    WriteBytes(dir / "audio" / "KEYS.WAV", {});
    // A pair is exported once, whatever name its second track still holds.
    const std::vector<std::string> assignments = {"GESANG.WAV", "", "KEYS.WAV", "OLD.WAV", "BASS", ""};
    const std::vector<bool> linked = {false, false, true, false, false, false};
    const std::string out = (dir / "out").string();
    using Row = std::tuple<std::vector<int>, std::string, std::string>;  // tracks, source, target
    const auto rows = [](const std::vector<ExportItem>& plan) {
        std::vector<Row> result;
        for (const ExportItem& item : plan)
            result.emplace_back(item.tracks, item.source.empty() ? "" : fs::path(item.source).filename().string(),
                                fs::path(item.target).filename().string());
        return result;
    };
    // The lower-case folder and file are found; BASS.WAV is missing.
    EXPECT_EQ(rows(PlanExport("My:Song ", (dir / "audio").string(), assignments, linked, {}, out, ExportFormat::Flac)),
              (std::vector<Row>{{{1}, "gesang.wav", "My_Song_T01_GESANG.flac"},
                                {{3, 4}, "KEYS.WAV", "My_Song_T03-04_KEYS.flac"},
                                {{5}, "", "My_Song_T05_BASS.flac"}}));
    // Choosing the second track of a pair exports the pair.
    EXPECT_EQ(rows(PlanExport("", (dir / "audio").string(), assignments, linked, {4}, out, ExportFormat::Wav16)),
              (std::vector<Row>{{{3, 4}, "KEYS.WAV", "T03-04_KEYS.wav"}}));
}

class Conversion : public ::testing::Test {
protected:
    void SetUp() override { REQUIRE_CONVERSION(); }
    ConversionResult Convert(const WavShape& shape, const std::vector<std::int32_t>& samples, ConversionRequest request) {
        WriteBytes(dir / "in.wav", BuildWav(shape, IntSampleBytes(shape.bits, samples)));
        request.source = (dir / "in.wav").string();
        request.target = (dir / "OUT.WAV").string();
        return ConvertAudio(request);
    }
    TempDir dir;
};

TEST_F(Conversion, SameRateKeepsSamplesExactlyOrWithinTheDither) {
    std::vector<std::int32_t> ramp;
    for (int i = 0; i < 2000; ++i) ramp.push_back(static_cast<std::int32_t>((i * 2654435761u) & 0xFFFFFF00u));
    struct Case {
        const char* name;
        std::uint16_t bits, channels;
        int targetBits;
        ChannelMode mode;
        bool dithered;
        std::int64_t tolerance;  // in steps of the target depth
    };
    const std::vector<Case> cases = {
        {"16 to 16 mono", 16, 1, 16, ChannelMode::Keep, false, 0},
        {"16 to 24 stereo", 16, 2, 24, ChannelMode::Keep, false, 0},
        {"24 to 24", 24, 1, 24, ChannelMode::Keep, false, 0},
        {"24 to 16 dithered", 24, 1, 16, ChannelMode::Keep, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WavShape shape{.channels = c.channels, .rate = 44100, .bits = c.bits};
        ConversionRequest request = Request(c.targetBits, c.mode);
        ConversionResult result = Convert(shape, ramp, request);
        EXPECT_FALSE(result.resampled);
        EXPECT_EQ(result.dithered, c.dithered);
        WavLayout layout;
        std::vector<std::int32_t> out = ReadAllInts(dir / "OUT.WAV", &layout);
        EXPECT_EQ(layout.bitsPerSample, c.targetBits);
        EXPECT_EQ(layout.channels, c.channels);
        EXPECT_EQ(layout.sampleRate, 44100u);
        // What the source holds, cut to its own depth (IntSampleBytes keeps the top bits).
        ASSERT_EQ(out.size(), ramp.size() / c.channels * c.channels);
        const int shift = 32 - c.targetBits, sourceShift = 32 - c.bits;
        std::int64_t worst = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const std::int64_t source = (ramp[i] >> sourceShift) * (std::int64_t{1} << sourceShift);
            const double expected = static_cast<double>(source) / std::ldexp(1.0, shift);
            worst = std::max<std::int64_t>(worst, std::llabs(static_cast<std::int64_t>(out[i] >> shift) -
                                                            std::llround(std::floor(expected + 0.5))));
        }
        EXPECT_LE(worst, c.tolerance);
        if (c.dithered) {
            EXPECT_GT(worst, 0);  // the noise is there
        }
    }
}

TEST_F(Conversion, ResampledLengthIsTheSourcesTimesTheRateRatio) {
    for (std::uint32_t rate : {48000u, 22050u, 96000u}) {
        for (std::size_t frames : {std::size_t{1}, std::size_t{999}, std::size_t{48001}}) {
            SCOPED_TRACE(std::to_string(rate) + " Hz, " + std::to_string(frames) + " frames");
            WavShape shape{.channels = 2, .rate = rate, .bits = 16};
            ConversionResult result = Convert(shape, SineSamples(frames, 2, 0.5, 1000, rate),
                                              Request(16));
            const auto expected = static_cast<std::uint64_t>(std::llround(frames * 44100.0 / rate));
            EXPECT_TRUE(result.resampled);
            EXPECT_EQ(result.frames, expected);
            EXPECT_EQ(ReadWavLayout((dir / "OUT.WAV").string()).frameCount, expected);
        }
    }
}

TEST_F(Conversion, MixToMonoAveragesTheChannels) {
    std::vector<std::int32_t> opposite;
    for (int i = 0; i < 500; ++i) {
        const auto v = static_cast<std::int32_t>(i * 1000000);
        opposite.push_back(v);
        opposite.push_back(v / 2);
    }
    ConversionResult result =
        Convert({.channels = 2, .rate = 44100, .bits = 16}, opposite, Request(16, ChannelMode::MixToMono));
    EXPECT_EQ(result.channels, 1);
    std::vector<std::int32_t> out = ReadAllInts(dir / "OUT.WAV");
    ASSERT_EQ(out.size(), 500u);
    for (std::size_t i = 0; i < out.size(); i += 97) {
        const double left = (opposite[2 * i] >> 16), right = (opposite[2 * i + 1] >> 16);
        EXPECT_NEAR(out[i] >> 16, (left + right) / 2, 1.0) << i;
    }
}

// Each fault: a clear error, no file (also no temporary one) in the folder.
TEST_F(Conversion, FaultsLeaveNothingBehind) {
    const fs::path audio = dir / "AUDIO";
    fs::create_directories(audio);
    WriteBytes(audio / "KEEP.WAV", {1, 2, 3});
    WriteSineWav(dir / "six.wav", {.channels = 6, .rate = 44100}, 0.1, 0.5, 1000);
    WriteSineWav(dir / "ok.wav", {.rate = 48000}, 0.5, 0.5, 1000);
    WriteBytes(dir / "empty.wav", {});
    WriteText(dir / "broken.mp3", std::string("\xFF\xFB\x90\x00", 4) + std::string(3000, '\x55'));
    WriteBytes(dir / "header-only.wav", BuildWav({.rate = 44100}, {}));
    struct Case {
        const char* name;
        std::string source;
        std::string message;    // part of the error
        bool cancel = false;
        bool fullCard = false;
    };
    const std::vector<Case> cases = {
        {"six channels", "six.wav", "6 Kanäle"},
        {"empty file", "empty.wav", "kann nicht als Audio gelesen werden"},
        {"corrupt MP3", "broken.mp3", "kann nicht als Audio gelesen werden"},
        {"WAV without samples", "header-only.wav", "enthält keine Audio-Daten"},
        {"missing file", "none.flac", "keine Datei"},
        {"cancelled", "ok.wav", "aborted", true},
        {"card full", "ok.wav", "No space left", false, true},
    };
    InitUiTexts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<FullCard> full;
        if (c.fullCard) full.emplace();
        std::string error;
        try {
            ImportAudioFile({(dir / c.source).string(), audio.string(), "", 16, ChannelMode::Keep},
                            [&](std::uint64_t, std::uint64_t) { return !c.cancel; });
        } catch (const std::exception& e) {
            error = e.what();
        }
        full.reset();
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(NamesIn(audio), std::vector<std::string>{"KEEP.WAV"});
    }
    // An existing target is never replaced by a conversion that was not told to.
    ConversionRequest request = Request(16, ChannelMode::Keep, false);
    request.source = (dir / "ok.wav").string();
    request.target = (audio / "KEEP.WAV").string();
    EXPECT_THROW(ConvertAudio(request), FileError);
    EXPECT_EQ(ReadBytes(audio / "KEEP.WAV"), (Bytes{1, 2, 3}));
    EXPECT_EQ(NamesIn(audio), std::vector<std::string>{"KEEP.WAV"});
}

TEST_F(Conversion, ExportWritesAllOrNothing) {
    WriteSineWav(dir / "A.WAV", {.rate = 44100, .bits = 24}, 0.2, 0.5, 1000);
    WriteSineWav(dir / "B.WAV", {.channels = 2, .rate = 44100}, 0.2, 0.5, 1000);
    const fs::path out = dir / "out";
    fs::create_directories(out);
    auto plan = PlanExport("P", dir.path().string(), {"A.WAV", "", "B.WAV", ""}, {false, false, true, false}, {},
                           out.string(), ExportFormat::Wav16);
    ASSERT_EQ(plan.size(), 2u);
    int calls = 0;
    EXPECT_THROW(ExportTracks(plan, ExportFormat::Wav16, false,
                              [&](std::uint64_t done, std::uint64_t total) {
                                  EXPECT_LE(done, total);
                                  // Cancel during the second file: the first goes again.
                                  return done < total || ++calls > 100;
                              }),
                 SilentAbort);
    EXPECT_TRUE(fs::is_empty(out));
    auto flac = PlanExport("P", dir.path().string(), {"A.WAV", "", "B.WAV", ""}, {false, false, true, false}, {},
                           out.string(), ExportFormat::Flac);
    ExportTracks(flac, ExportFormat::Flac, false);
    EXPECT_EQ(NamesIn(out), (std::vector<std::string>{"P_T01_A.flac", "P_T03-04_B.flac"}));
    EXPECT_THROW(ExportTracks(flac, ExportFormat::Flac, false), FileError);  // never over existing files
    ExportTracks(plan, ExportFormat::Wav16, false);
    WavLayout a;
    ReadAllInts(out / "P_T01_A.wav", &a);
    EXPECT_EQ(a.bitsPerSample, 16);
    EXPECT_EQ(a.frameCount, ReadWavLayout((dir / "A.WAV").string()).frameCount);
}

}  // namespace
}  // namespace spurwerk
