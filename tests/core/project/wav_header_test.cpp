// The headers of the files beside a project, and of the program itself.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <tuple>

#include "io/path_text.h"
#include "project/link_time.h"
#include "project/wav_header.h"
#include "settings/text_table.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk {
namespace {

using namespace testing;

class HeaderFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        WriteBytes(dir / name, bytes);
        return PathText(dir / name);
    }
    TempDir dir;
};

TEST_F(HeaderFiles, HeadersOfEveryKindReadAsWhatTheyAre) {
    Bytes senseless = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 100)});
    senseless[22] = 0;  // no channels
    Bytes noAlign = Riff("WAVE", {FmtChunk(1, 44100, 16, 0xFFFF), Chunk("data", 1000)});
    noAlign[32] = noAlign[33] = 0;  // block align: no format a recording has
    Bytes full = Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 88200)});
    auto cut = [&](std::ptrdiff_t n) { return Bytes(full.begin(), full.begin() + n); };
    auto wav = [](std::initializer_list<Bytes> chunks) { return Riff("WAVE", chunks); };
    // name, file, format (nullptr: no WAV), data size, LIST size, duration
    const std::tuple<const char*, Bytes, const char*, std::uint64_t, std::uint32_t, std::int32_t> cases[] = {
        {"sox LIST", wav({FmtChunk(2, 44100, 16), Chunk("LIST", 26), Chunk("data", 176400)}),
         "2x44.1KHz, 16-Bit", 176400, 26, 1000},
        // odd lengths are followed by one pad byte, for unknown chunks and LIST alike
        {"odd", wav({FmtChunk(1, 44100, 16), Chunk("junk", 3), Chunk("LIST", 5), Chunk("data", 44100)}),
         "1x44.1KHz, 16-Bit", 44100, 5, 500},
        {"lower case", Riff("wave", {FmtChunk(1, 44100, 16), Chunk("list", 10), Chunk("DaTa", 44100)}),
         "1x44.1KHz, 16-Bit", 44100, 10, 500},
        {"6 channels", BuildWav({.channels = 6, .bits = 24, .extensible = true, .declaredDataSize = 864000}, {}),
         "6x48.0KHz, 24-Bit", 864000, 0, 1000},
        {"8-bit", wav({FmtChunk(1, 8000, 8), Chunk("data", 8000)}), "1x08.0KHz, 8-Bit", 8000, 0, 1000},
        // 5 GiB of 24-bit stereo at 48 kHz: 5368709120 * 1000 / 6 / 48000 ms
        {"RF64", BuildWav({.container = "RF64", .channels = 2, .bits = 24, .declaredDataSize = 5368709120}, Bytes(64, 0)),
         "2x48.0KHz, 24-Bit", 5368709120ull, 0, 18641351},
        {"BW64", BuildWav({.container = "BW64", .channels = 6, .bits = 24, .extensible = true, .declaredDataSize = 1728000},
                          Bytes(64, 0)),
         "6x48.0KHz, 24-Bit", 1728000, 0, 2000},
        {"no data chunk", wav({FmtChunk(1, 44100, 16), Chunk("LIST", 12)}), "1x44.1KHz", 0, 12, 0},
        // a chunk claiming more than the file holds ends the search at the file's end
        {"huge chunk", wav({FmtChunk(1, 44100, 16), Chunk("junk", 0xFFFFFFFF, 4), Chunk("data", 100)}),
         "1x44.1KHz", 0, 0, 0},
        {"cut in audio", cut(1000), "1x44.1KHz", 88200, 0, 1000},  // the length the header declares
        {"no channels", senseless, nullptr, 0, 0, 0},
        {"no block align", noAlign, nullptr, 0, 0, 0},
        {"cut in format", cut(30), nullptr, 0, 0, 0},
        {"empty", Bytes{}, nullptr, 0, 0, 0},
    };
    for (const auto& [name, bytes, format, dataSize, listSize, durationMs] : cases) {
        SCOPED_TRACE(name);
        std::string path = Write("X.WAV", bytes);
        WavHeader h = ReadWavHeader(path);
        std::string text = WavHeaderSummary(path, false).text;
        EXPECT_EQ(h.fileSize, static_cast<std::int64_t>(bytes.size()));
        if (!format) {
            EXPECT_FALSE(h.IsValid());
            EXPECT_EQ(text.find(" [Keine WAV-D.]"), 0u) << text;
            continue;
        }
        EXPECT_NE(text.find(std::string(", ") + format), std::string::npos) << text;
        EXPECT_EQ(h.dataSize, dataSize);
        EXPECT_EQ(h.listSize, listSize);
        EXPECT_EQ(WavDurationMs(h), durationMs);
    }
}

TEST_F(HeaderFiles, SummaryTextsUpToSizesBeyondTwoGigabytes) {
    std::string path = Write("TAKE1.WAV", Riff("WAVE", {FmtChunk(1, 44100, 16), Chunk("data", 4410000)}));
    WavSummary s = WavHeaderSummary(path, false);
    EXPECT_EQ(s.durationMs, 50000);
    EXPECT_EQ(s.text, " [t=     50s   , 1x44.1KHz, 16-Bit]   [Data: 4410000 B.] (File: 4.2Mb)");
    EXPECT_EQ(WavHeaderSummary(path, true).text, s.text + " {LIST: 0 B.}");
    EXPECT_EQ(ReadWavHeader(PathText(dir / "GONE.WAV")).fileSize, -1);

    // Sizes beyond two gigabytes, last: the test ends where the disk has no room.
    path = Write("BIG.WAV", Riff("WAVE", {FmtChunk(2, 48000, 24), Chunk("data", 0xC0000000, 0)}));
    std::error_code ec;
    std::filesystem::resize_file(dir / "BIG.WAV", 0xC0000000ull + 44, ec);  // sparse where possible
    if (ec) GTEST_SKIP() << "no room for a 3 GiB file: " << ec.message();
    EXPECT_EQ(ReadWavHeader(path).fileSize, 0xC0000000ll + 44);
    EXPECT_EQ(WavHeaderSummary(path, false).text,
              " [t=3h06m24s810, 2x48.0KHz, 24-Bit]   [Data: 3221225472 B.] (File: 3072.0Mb)");
}

TEST(WavDuration, NeverDividesByZeroAndIsCapped) {
    // sample rate 0; 1 ms short of a second of 16-bit stereo; more ms than an int holds
    const WavHeader cases[] = {{.sampleRate = 0, .blockAlign = 2, .dataSize = 1000},
                               {.sampleRate = 44100, .blockAlign = 4, .dataSize = 176399},
                               {.sampleRate = 1, .blockAlign = 1, .dataSize = 0xFFFFFFFF}};
    const std::int32_t ms[] = {0, 999, INT32_MAX};
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(WavDurationMs(cases[i]), ms[i]) << i;
}

constexpr std::uint32_t FixedStamp = 0x2A425E19;   // 1992-06-19 22:22:17
constexpr std::uint32_t DosStamp = 0x446573CB;     // 2014-03-05 14:30:22
constexpr std::uint32_t DosStampSeconds = 1394029822;

// A minimal PE file: DOS header, PE header at 0x80, a .text and a .rsrc section;
// the resource table (RVA 0x2010) lies at file offset 0x610.
struct PeImage {
    std::uint32_t stamp = 0x5F5E1000;
    std::uint16_t optionalSize = 224;
    std::uint16_t magic = 0x10B;
    std::uint32_t resourceAddress = 0x2010;
    std::uint32_t dosStamp = DosStamp;
    bool dosHeader = true;

    Bytes Build() const {
        const std::size_t pe = dosHeader ? 0x80 : 0;
        Bytes b(0x800, 0);
        if (dosHeader) {
            SetWord(b, 0, 0x5A4D);  // "MZ"
            SetLong(b, 60, static_cast<std::uint32_t>(pe));
        }
        SetLong(b, pe, 0x00004550);
        SetWord(b, pe + 6, 2);
        SetLong(b, pe + 8, stamp);
        SetWord(b, pe + 20, optionalSize);
        SetWord(b, pe + 24, magic);
        SetLong(b, pe + 136, resourceAddress);
        SetLong(b, pe + 140, 0x100);
        std::size_t sections = pe + 24 + optionalSize;
        for (std::uint32_t i = 0; i < 2; ++i) {
            std::size_t entry = sections + 40 * i;
            SetLong(b, entry + 12, 0x1000 * (i + 1));  // VirtualAddress
            SetLong(b, entry + 16, 0x200);             // SizeOfRawData
            SetLong(b, entry + 20, 0x400 + 0x200 * i);  // PointerToRawData
        }
        SetLong(b, 0x610 + 4, dosStamp);
        return b;
    }
};

TEST_F(HeaderFiles, LinkTimeIsTheHeaderStampOrForTheFixedOneTheResourceDirectoryTime) {
    const std::uint32_t F = FixedStamp;
    const std::uint32_t february30 = (DosStamp & ~(0x0Fu << 21 | 0x1Fu << 16)) | 2u << 21 | 30u << 16;
    Bytes truncated = PeImage{.stamp = F}.Build();
    truncated.resize(0x80 + 248 + 50);  // section table cut short
    Bytes noSignature = PeImage{}.Build();
    noSignature[0x80] = 'X';
    Bytes tooShort = PeImage{}.Build();
    tooShort.resize(0x80 + 100);
    const std::pair<Bytes, std::uint32_t> pe[] = {
        {PeImage{}.Build(), 0x5F5E1000u},  // whatever the resource directory holds
        {PeImage{.dosHeader = false}.Build(), 0x5F5E1000u},  // PE header at 0
        {PeImage{.stamp = F}.Build(), DosStampSeconds},
        {PeImage{.stamp = F, .optionalSize = 240}.Build(), DosStampSeconds},  // moves the section table
        // the fixed stamp stays when the resource time cannot be had
        {PeImage{.stamp = F, .magic = 0x20B}.Build(), F},  // 64-bit optional header
        {PeImage{.stamp = F, .optionalSize = 223}.Build(), F},
        {PeImage{.stamp = F, .resourceAddress = 0x5000}.Build(), F},  // in no section
        {PeImage{.stamp = F, .dosStamp = DosStamp & ~(0x0Fu << 21)}.Build(), F},  // month 0
        {PeImage{.stamp = F, .dosStamp = (DosStamp & ~(0x1Fu << 11)) | (24u << 11)}.Build(), F},  // hour 24
        {PeImage{.stamp = F, .dosStamp = february30}.Build(), F},
        {truncated, F},
        {noSignature, 0u},
        {tooShort, 0u},
        {Bytes{0x7F, 'E', 'L', 'F'}, 0u},
    };
    for (std::size_t i = 0; i < std::size(pe); ++i)
        EXPECT_EQ(GetLinkTimeStamp(Write("p.exe", pe[i].first)), pe[i].second) << i;
    EXPECT_EQ(GetLinkTimeStamp(PathText(dir / "missing.exe")), 0u);
    EXPECT_EQ(DateTimeText(GetLinkDateTime(Write("p.exe", PeImage{}.Build()))), "2020-09-13 12:26:40");
    // calendar dates over the whole range of the stamp
    EXPECT_EQ(UnixToDateTime(FixedStamp), (DateTimeParts{1992, 6, 19, 22, 22, 17}));
    EXPECT_EQ(UnixToDateTime(951782400 + 3661), (DateTimeParts{2000, 2, 29, 1, 1, 1}));
    EXPECT_EQ(DateTimeText(UnixToDateTime(0xFFFFFFFF)), "2106-02-07 06:28:15");
}

}  // namespace
}  // namespace spurwerk
