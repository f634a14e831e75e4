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
using testing::PutLong;
using testing::PutText;
using testing::PutWord;

// WAVE_FORMAT_EXTENSIBLE as ffmpeg writes it for more than two channels or 24 bits.
Bytes FmtExtensible(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes b = FmtChunk(channels, rate, bits);
    b[4] = 40;              // chunk length
    b[8] = 0xFE, b[9] = 0xFF;  // format tag 0xFFFE
    PutWord(b, 22);         // extension size
    PutWord(b, bits);       // valid bits
    PutLong(b, 0x3F);       // channel mask
    b.resize(b.size() + 16, 0x11);  // sub-format GUID
    return b;
}

// RF64 (and BW64): sizes in the ds64 chunk, 0xFFFFFFFF in the RIFF and data headers.
Bytes Rf64(const std::string& magic, const Bytes& fmt, std::uint64_t dataSize) {
    Bytes b;
    PutText(b, magic);
    PutLong(b, 0xFFFFFFFF);
    PutText(b, "WAVE");
    PutText(b, "ds64");
    PutLong(b, 28);
    for (std::uint64_t v : {dataSize + 80, dataSize, dataSize / 4}) {
        PutLong(b, static_cast<std::uint32_t>(v));
        PutLong(b, static_cast<std::uint32_t>(v >> 32));
    }
    PutLong(b, 0);
    b.insert(b.end(), fmt.begin(), fmt.end());
    PutText(b, "data");
    PutLong(b, 0xFFFFFFFF);
    b.resize(b.size() + 64, 0);
    return b;
}

class WavFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        testing::WriteBytes(dir / name, bytes);
        return PathText(dir / name);
    }
    testing::TempDir dir;
};

TEST_F(WavFiles, HeadersOfEveryKindReadAsWhatTheyAre) {
    Bytes senseless = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 100)});
    senseless[22] = 0;  // no channels
    Bytes noBits = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 100)});
    noBits[34] = 0;
    Bytes full = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 88200)});
    auto cut = [&](std::size_t n) { return Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)); };
    struct Case {
        const char* name;
        Bytes bytes;
        const char* format;  // nullptr: no WAV
        std::uint64_t dataSize;
        std::uint32_t listSize;
        std::int32_t durationMs;
    } cases[] = {
        {"sox LIST", Riff("WAVE", {FmtChunk(2, 44100, 16), Chunk("LIST", 26), Chunk("data", 176400)}),
         "2x44.1KHz, 16-Bit", 176400, 26, 1000},
        {"bext", Riff("WAVE", {FmtChunk(2, 48000, 16), Chunk("bext", 602), Chunk("fact", 4), Chunk("data", 192000)}),
         "2x48.0KHz, 16-Bit", 192000, 0, 1000},
        // odd lengths are followed by one pad byte, for unknown chunks and LIST alike
        {"odd", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("junk", 3), Chunk("LIST", 5), Chunk("data", 44100)}),
         "1x44.1KHz, 16-Bit", 44100, 5, 500},
        {"lower case", Riff("wave", {FmtChunk(1, 44100, 16), Chunk("list", 10), Chunk("DaTa", 44100)}),
         "1x44.1KHz, 16-Bit", 44100, 10, 500},
        {"6 channels", Riff("WAVE", {FmtExtensible(6, 48000, 24), Chunk("data", 864000)}), "6x48.0KHz, 24-Bit",
         864000, 0, 1000},
        {"8-bit", Riff("WAVE", {FmtChunk(1, 8000, 8), Chunk("data", 8000)}), "1x08.0KHz, 8-Bit", 8000, 0, 1000},
        {"float", Riff("WAVE", {FmtChunk(2, 96000, 32), Chunk("fact", 4), Chunk("data", 768000)}),
         "2x96.0KHz, 32-Bit", 768000, 0, 1000},
        // 5 GiB of 24-bit stereo at 48 kHz: 5368709120 * 1000 / 6 / 48000 ms
        {"RF64", Rf64("RF64", FmtChunk(2, 48000, 24), 5368709120ull), "2x48.0KHz, 24-Bit", 5368709120ull, 0,
         18641351},
        {"BW64", Rf64("BW64", FmtExtensible(6, 48000, 24), 1728000), "6x48.0KHz, 24-Bit", 1728000, 0, 2000},
        {"no data chunk", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("LIST", 12)}), "1x44.1KHz", 0, 12, 0},
        // a chunk claiming more than the file holds ends the search at the file's end
        {"huge chunk", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("junk", 0xFFFFFFFF, 4), Chunk("data", 100)}),
         "1x44.1KHz", 0, 0, 0},
        {"cut in data header", cut(40), "1x44.1KHz", 0, 0, 0},
        {"cut in audio", cut(1000), "1x44.1KHz", 88200, 0, 1000},  // the length the header declares
        {"no channels", senseless, nullptr, 0, 0, 0},
        {"no bits", noBits, nullptr, 0, 0, 0},
        {"cut in format", cut(30), nullptr, 0, 0, 0},
        {"empty", Bytes{}, nullptr, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Write("X.WAV", c.bytes);
        WavHeader h = ReadWavHeader(path);
        std::string text = WavHeaderSummary(path, false).text;
        EXPECT_EQ(h.fileSize, static_cast<std::int64_t>(c.bytes.size()));
        if (!c.format) {
            EXPECT_FALSE(h.IsValid());
            EXPECT_EQ(text.find(" [Keine WAV-D.]"), 0u) << text;
            continue;
        }
        EXPECT_NE(text.find(std::string(", ") + c.format), std::string::npos) << text;
        EXPECT_EQ(h.dataSize, c.dataSize);
        EXPECT_EQ(h.listSize, c.listSize);
        EXPECT_EQ(WavDurationMs(h), c.durationMs);
    }
}

TEST_F(WavFiles, SummaryTexts) {
    std::string path = Write("TAKE1.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 4410000)}));
    WavSummary s = WavHeaderSummary(path, false);
    EXPECT_EQ(s.durationMs, 50000);
    EXPECT_EQ(s.text, " [t=     50s   , 1x44.1KHz, 16-Bit]   [Data: 4410000 B.] (File: 4.2Mb)");
    EXPECT_EQ(WavHeaderSummary(path, true).text,
              " [t=     50s   , 1x44.1KHz, 16-Bit]   [Data: 4410000 B.] (File: 4.2Mb) {LIST: 0 B.}");
    std::string stereo = Write("A.WAV", Riff("WAVE", {FmtChunk(2, 48000, 24), Chunk("data", 6 * 48000 * 3 / 2)}));
    EXPECT_EQ(WavHeaderSummary(stereo, false).text,
              " [t=      1s500, 2x48.0KHz, 24-Bit]   [Data: 432000 B.] (File: 421.9kb)");

    EXPECT_EQ(WavHeaderSummary(Write("README.TXT", Bytes(2048, 'x')), false).text, " [Keine WAV-D.] (File: 2.0kb)");
    std::string missing = PathText(dir / "GONE.WAV");
    EXPECT_EQ(ReadWavHeader(missing).fileSize, -1);
    s = WavHeaderSummary(missing, true);
    EXPECT_EQ(s.text, " [Keine WAV-D.] (File: 0.0kb)");
    EXPECT_EQ(s.durationMs, 0);
    std::filesystem::create_directory(dir / "AUDIO.WAV");
    EXPECT_EQ(ReadWavHeader(PathText(dir / "AUDIO.WAV")).fileSize, -1);
    SetTxt(261, "[No WAV]");
    EXPECT_EQ(WavHeaderSummary(missing, false).text, " [No WAV] (File: 0.0kb)");
    InitResStrArr();
}

TEST_F(WavFiles, DurationNeverDividesByZeroAndIsCapped) {
    Bytes bytes = Riff("WAVE", {FmtChunk(1, 44100, 16, 0xFFFF), Chunk("data", 1000)});
    bytes[32] = bytes[33] = 0;  // block align: no format a recording has
    WavSummary s = WavHeaderSummary(Write("Z.WAV", bytes), false);
    EXPECT_EQ(s.durationMs, 0);
    EXPECT_EQ(s.text.substr(0, 15), " [Keine WAV-D.]");

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
    EXPECT_EQ(ReadWavHeader(path).fileSize, 0xC0000000ll + 44);
    EXPECT_EQ(WavHeaderSummary(path, false).text,
              " [t=3h06m24s810, 2x48.0KHz, 24-Bit]   [Data: 3221225472 B.] (File: 3072.0Mb)");
}

}  // namespace
}  // namespace spurwerk
