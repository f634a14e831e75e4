#pragma once
// WAV files of every layout the archive meets, project folders made of them,
// and a rewriter that changes a finished archive entry by entry (to make it
// lie, leak or break).

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "test_bytes.h"

namespace spurwerk::testing {

// Noise that FLAC cannot shrink to nothing (a fixed seed: same bytes every run).
Bytes NoiseBytes(std::size_t count, std::uint32_t seed = 1);

struct ArchiveWavShape {
    std::uint16_t formatTag = 1;  // 0xFFFE: extensible, with subFormat
    std::uint16_t subFormat = 1;
    std::uint16_t channels = 1;
    std::uint16_t bits = 16;
    std::uint32_t rate = 44100;
    std::uint32_t frames = 4410;
    std::vector<Bytes> before;  // chunks between fmt and data
    std::vector<Bytes> after;   // bytes after the data chunk
    bool rf64 = false;
    std::int64_t claimedDataBytes = -1;  // what the data chunk says; -1: the truth
    std::int64_t presentDataBytes = -1;  // what the file holds of it; -1: all
};
Bytes BuildWav(const ArchiveWavShape& shape);
inline ArchiveWavShape Wav(std::uint16_t formatTag, std::uint16_t subFormat, std::uint16_t channels, std::uint16_t bits,
                   std::uint32_t rate, std::uint32_t frames) {
    ArchiveWavShape shape;
    shape.formatTag = formatTag;
    shape.subFormat = subFormat;
    shape.channels = channels;
    shape.bits = bits;
    shape.rate = rate;
    shape.frames = frames;
    return shape;
}

// An archive entry as the rewriter sees it.
struct TarEntry {
    std::string name;
    Bytes data;
    bool symlink = false;
    std::string linkTarget;
};
// Reads every entry, lets `change` edit the list, writes the result to `out`.
void RewriteTar(const std::filesystem::path& in, const std::filesystem::path& out,
                const std::function<void(std::vector<TarEntry>&)>& change);

// Every file below a folder with its bytes, keyed by the relative path.
std::vector<std::pair<std::string, Bytes>> FolderContents(const std::filesystem::path& folder);

}  // namespace spurwerk::testing
