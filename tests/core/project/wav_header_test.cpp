#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "io/path_text.h"
#include "project/wav_header.h"
#include "settings/text_table.h"
#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::Chunk;
using testing::Riff;
using testing::FmtChunk;

class WavFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        testing::WriteBytes(dir / name, bytes);
        return PathText(dir / name);
    }
    testing::TempDir dir;
};

// --- reading -------------------------------------------------------------------

TEST_F(WavFiles, PlainMonoFileGivesItsFormatLengthAndSummary) {
    std::string path = Write("TAKE1.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 4410000)}));
    WavHeader h = ReadWavHeader(path);
    ASSERT_TRUE(h.IsValid());
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.sampleRate, 44100u);
    EXPECT_EQ(h.blockAlign, 2);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.dataSize, 4410000u);
    EXPECT_EQ(h.listSize, 0u);
    EXPECT_EQ(h.fileSize, 4410044);
    EXPECT_EQ(WavDurationMs(h), 50000);

    WavSummary s = WavHeaderSummary(path, false);
    EXPECT_EQ(s.durationMs, 50000);
    EXPECT_EQ(s.text, " [t=     50s   , 1x44.1KHz, 16-Bit]   [Data: 4410000 B.] (File: 4.2Mb)");
    EXPECT_EQ(WavHeaderSummary(path, true).text,
              " [t=     50s   , 1x44.1KHz, 16-Bit]   [Data: 4410000 B.] (File: 4.2Mb) {LIST: 0 B.}");
}

TEST_F(WavFiles, SampleRateShowsWithTwoIntegerDigits) {
    std::string stereo = Write("A.WAV", Riff("WAVE", {FmtChunk(2, 48000, 24), Chunk("data", 6 * 48000 * 3 / 2)}));
    EXPECT_EQ(WavHeaderSummary(stereo, false).text,
              " [t=      1s500, 2x48.0KHz, 24-Bit]   [Data: 432000 B.] (File: 421.9kb)");
    std::string low = Write("B.WAV", Riff("WAVE", {FmtChunk(1, 8000, 8), Chunk("data", 8000)}));
    EXPECT_NE(WavHeaderSummary(low, false).text.find(", 1x08.0KHz, 8-Bit]"), std::string::npos);
}

TEST_F(WavFiles, ChunksBeforeTheDataAreSkippedByTheirLength) {
    // A LIST chunk: its size is kept for the summary.
    std::string list = Write("L.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("LIST", 26), Chunk("data", 88200)}));
    WavHeader h = ReadWavHeader(list);
    EXPECT_EQ(h.listSize, 26u);
    EXPECT_EQ(WavDurationMs(h), 1000);
    EXPECT_NE(WavHeaderSummary(list, true).text.find("(File: 86.2kb) {LIST: 26 B.}"), std::string::npos);

    // Broadcast Wave: a long bext chunk, then fact, then data.
    std::string bext =
        Write("B.WAV", Riff("WAVE", {FmtChunk(2, 48000, 16), Chunk("bext", 602), Chunk("fact", 4), Chunk("data", 192000)}));
    EXPECT_EQ(ReadWavHeader(bext).dataSize, 192000u);
    EXPECT_EQ(WavDurationMs(ReadWavHeader(bext)), 1000);

    // Odd lengths are followed by one pad byte, for unknown chunks and LIST alike.
    std::string odd = Write("O.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("junk", 3), Chunk("LIST", 5),
                                                   Chunk("data", 44100)}));
    h = ReadWavHeader(odd);
    EXPECT_EQ(h.dataSize, 44100u);
    EXPECT_EQ(h.listSize, 5u);
    EXPECT_EQ(WavDurationMs(h), 500);
}

TEST_F(WavFiles, LowerCaseIdentifiersAreRecognised) {
    Bytes bytes = Riff("wave", {FmtChunk(1, 44100, 16), Chunk("list", 10), Chunk("DaTa", 44100)});
    WavHeader h = ReadWavHeader(Write("LOWER.WAV", bytes));
    ASSERT_TRUE(h.IsValid());
    EXPECT_EQ(h.listSize, 10u);
    EXPECT_EQ(h.dataSize, 44100u);
}

TEST_F(WavFiles, WithoutDataChunkTheLengthIsZero) {
    WavHeader h = ReadWavHeader(Write("NODATA.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("LIST", 12)})));
    ASSERT_TRUE(h.IsValid());
    EXPECT_EQ(h.listSize, 12u);
    EXPECT_EQ(h.dataSize, 0u);
    EXPECT_EQ(WavDurationMs(h), 0);

    // A chunk claiming more than the file holds ends the search at the file's end.
    h = ReadWavHeader(Write("HUGE.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("junk", 0xFFFFFFFF, 4),
                                                      Chunk("data", 100)})));
    EXPECT_EQ(h.dataSize, 0u);
}

TEST_F(WavFiles, TruncatedFilesGiveWhatTheyHold) {
    Bytes full = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 88200)});
    auto cut = [&](std::size_t n) { return Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)); };

    // Ends inside the format fields: no usable header, but the real size.
    WavHeader h = ReadWavHeader(Write("T30.WAV", cut(30)));
    EXPECT_FALSE(h.IsValid());
    EXPECT_EQ(h.fileSize, 30);
    EXPECT_EQ(WavHeaderSummary(PathText(dir / "T30.WAV"), false).text, " [Keine WAV-D.] (File: 0.0kb)");

    // Ends in the data chunk's header: format known, no length.
    h = ReadWavHeader(Write("T40.WAV", cut(40)));
    EXPECT_TRUE(h.IsValid());
    EXPECT_EQ(h.dataSize, 0u);

    // Ends inside the audio: the length is the one the header declares.
    h = ReadWavHeader(Write("T1000.WAV", cut(1000)));
    EXPECT_EQ(h.dataSize, 88200u);
    EXPECT_EQ(h.fileSize, 1000);
    EXPECT_EQ(WavDurationMs(h), 1000);

    EXPECT_FALSE(ReadWavHeader(Write("EMPTY.WAV", Bytes{})).IsValid());
}

TEST_F(WavFiles, NoWavOrNoFileGivesNone) {
    EXPECT_EQ(WavHeaderSummary(Write("README.TXT", Bytes(2048, 'x')), false).text, " [Keine WAV-D.] (File: 2.0kb)");

    std::string missing = PathText(dir / "GONE.WAV");
    EXPECT_EQ(ReadWavHeader(missing).fileSize, -1);
    WavSummary s = WavHeaderSummary(missing, true);
    EXPECT_EQ(s.text, " [Keine WAV-D.] (File: 0.0kb)");
    EXPECT_EQ(s.durationMs, 0);

    std::filesystem::create_directory(dir / "AUDIO.WAV");
    EXPECT_EQ(ReadWavHeader(PathText(dir / "AUDIO.WAV")).fileSize, -1);

    SetTxt(261, "[No WAV]");
    EXPECT_EQ(WavHeaderSummary(missing, false).text, " [No WAV] (File: 0.0kb)");
    InitResStrArr();
}

TEST_F(WavFiles, DurationNeverDividesByZeroAndIsCapped) {
    std::string path = Write("Z.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16, 0xFFFF), Chunk("data", 1000)}));
    Bytes bytes = testing::ReadBytes(dir / "Z.WAV");
    bytes[32] = bytes[33] = 0;  // block align
    testing::WriteBytes(dir / "Z.WAV", bytes);
    WavSummary s = WavHeaderSummary(path, false);
    EXPECT_EQ(s.durationMs, 0);
    EXPECT_EQ(s.text.substr(0, 16), " [t=      0s   ,");

    WavHeader h;
    h.byteRate = 1;
    h.blockAlign = 2;
    h.dataSize = 1000;
    EXPECT_EQ(WavDurationMs(h), 0);  // sample rate 0

    h.blockAlign = 4;
    h.sampleRate = 44100;
    h.dataSize = 176399;  // 1 ms short of a second of 16-bit stereo
    EXPECT_EQ(WavDurationMs(h), 999);
    h.blockAlign = 1;
    h.sampleRate = 1;
    h.dataSize = 0xFFFFFFFF;
    EXPECT_EQ(WavDurationMs(h), INT32_MAX);
}

TEST_F(WavFiles, SizesBeyondTwoGigabytes) {
    std::string path = Write("BIG.WAV", Riff("WAVE", {FmtChunk(2, 48000, 24), Chunk("data", 0xC0000000, 0)}));
    std::error_code ec;
    std::filesystem::resize_file(dir / "BIG.WAV", 0xC0000000ull + 44, ec);  // sparse where possible
    if (ec) GTEST_SKIP() << "no room for a 3 GiB file: " << ec.message();
    WavHeader h = ReadWavHeader(path);
    EXPECT_EQ(h.fileSize, 0xC0000000ll + 44);
    EXPECT_EQ(h.dataSize, 0xC0000000u);
    EXPECT_EQ(WavDurationMs(h), 11184810);
    EXPECT_EQ(WavHeaderSummary(path, false).text,
              " [t=3h06m24s810, 2x48.0KHz, 24-Bit]   [Data: 3221225472 B.] (File: 3072.0Mb)");
}

}  // namespace
}  // namespace spurwerk
