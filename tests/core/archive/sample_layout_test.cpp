// Where the samples of a WAV file lie, and which files go into FLAC.

#include <gtest/gtest.h>

#include "archive/sample_layout.h"
#include "archive/sha256.h"
#include "archive_test_files.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk::testing {
namespace {

TEST(Sha256, KnownDigestsInAnyPieces) {
    struct Case {
        std::string input;
        std::size_t piece;
        const char* digest;
    };
    const std::string million(1000000, 'a');
    const Case cases[] = {
        {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 7,
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {million, 999, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {million, 1000000, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases) {
        Sha256 sha;
        for (std::size_t at = 0; at < c.input.size(); at += c.piece)
            sha.Update(reinterpret_cast<const std::uint8_t*>(c.input.data()) + at, std::min(c.piece, c.input.size() - at));
        EXPECT_EQ(sha.HexDigest(), c.digest) << c.input.size() << " bytes in pieces of " << c.piece;
    }
}

TEST(SampleLayout, FindsTheSamplesOfEveryLayout) {
    struct Case {
        const char* name;
        ArchiveWav wav;
        std::uint64_t dataOffset;
        std::uint64_t sampleBytes;
        bool flac;
    };
    const ArchiveWav plain{{.rate = 44100}};
    ArchiveWav withChunks = plain;
    withChunks.shape.chunksBeforeData = {Chunk("LIST", 26), Chunk("bext", 7)};  // odd chunk: its pad byte follows
    withChunks.shape.chunksAfterData = {Chunk("junk", 3)};
    const Case cases[] = {
        {"16-bit mono", plain, 44, 8820, true},
        {"24-bit stereo 48 kHz", {{.channels = 2, .rate = 48000, .bits = 24}, 1001}, 44, 6006, true},
        {"LIST, odd bext, chunk after", withChunks, 44 + 34 + 16, 8820, true},
        {"extensible PCM", {{.channels = 2, .rate = 44100, .bits = 24, .extensible = true}, 500}, 68, 3000, true},
        {"extensible float",
         {{.channels = 2, .rate = 44100, .bits = 32, .isFloat = true, .extensible = true}, 500}, 68, 4000, false},
        {"RF64", {{.container = "RF64", .channels = 2, .rate = 44100}, 700}, 80, 2800, true},
        {"empty data", {{.rate = 44100}, 0}, 44, 0, false},
        // claims 8820 bytes, holds 3001 (half a frame at the end)
        {"data cut short", {{.rate = 44100}, 4410, 3001}, 44, 3000, true},
        {"8-bit", {{.rate = 8000, .bits = 8}, 333}, 44, 333, false},
        {"float", {{.rate = 44100, .bits = 32, .isFloat = true}, 100}, 44, 400, false},
        {"32-bit integer", {{.channels = 2, .rate = 44100, .bits = 32}, 100}, 44, 800, false},
        {"nine channels", {{.channels = 9, .rate = 44100}, 100}, 0, 0, false},  // the reader takes at most 8: all bytes kept
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir / "T.WAV", BuildWav(c.wav));
        SampleLayout layout = LocateSamples(dir / "T.WAV");
        EXPECT_EQ(layout.dataOffset, c.dataOffset);
        EXPECT_EQ(layout.sampleBytes, c.sampleBytes);
        EXPECT_EQ(layout.storeRawReason.empty(), c.flac) << layout.storeRawReason;
        EXPECT_EQ(layout.PrefixBytes() + layout.sampleBytes + layout.SuffixBytes(), ReadBytes(dir / "T.WAV").size());
    }
}

TEST(SampleLayout, KeepsBrokenFilesAsTheyAre) {
    const std::pair<const char*, Bytes> cases[] = {
        {"no WAV at all", TextBytes("hello, this is text")},
        {"no data chunk", Riff("WAVE", {FmtChunk(1, 44100, 16)})},
        {"data before fmt", Riff("WAVE", {Chunk("data", 100), FmtChunk(1, 44100, 16)})},
        {"block align that lies", Riff("WAVE", {FmtChunk(2, 44100, 16, 3), Chunk("data", 300)})},
        {"empty file", Bytes{}},
    };
    TempDir dir;
    for (const auto& [name, bytes] : cases) {
        WriteBytes(dir / "T.WAV", bytes);
        EXPECT_FALSE(LocateSamples(dir / "T.WAV").storeRawReason.empty()) << name;
    }
}

}  // namespace
}  // namespace spurwerk::testing
