#pragma once
// Where a WAV file's samples lie, as the archive needs it: everything before
// them (header, chunks) and after them is kept as bytes; only the samples are
// compressed. The chunks are read by the track view's sample reader.

#include <cstdint>
#include <filesystem>
#include <string>

namespace spurwerk {

struct SampleLayout {
    std::uint64_t fileSize = 0;
    std::uint64_t dataOffset = 0;   // first sample byte
    std::uint64_t sampleBytes = 0;  // whole frames present in the file (not what the header claims)
    std::uint16_t formatTag = 0;    // 1 PCM, 3 float; the sub-format of an extensible header
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    bool rf64 = false;
    // Empty when the samples can go into FLAC; else why the file is kept as it is.
    std::string storeRawReason;

    std::uint64_t PrefixBytes() const { return dataOffset; }
    std::uint64_t SuffixBytes() const { return fileSize - dataOffset - sampleBytes; }
};

// Bytes before or after the samples larger than this are not held in memory:
// such a file is kept as it is.
constexpr std::uint64_t MaxKeptOutsideBytes = 64u * 1024u * 1024u;

// The layout and whether the samples go into FLAC (16 or 24-bit PCM, 1 to 8
// channels); a broken or other file is kept raw, with the reason. Throws
// FileError only when the file cannot be read.
SampleLayout LocateSamples(const std::filesystem::path& path);

}  // namespace spurwerk
