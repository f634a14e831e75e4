#pragma once
// WAV files of every layout the archive meets, and a rewriter that changes a
// finished archive entry by entry (to make it lie, leak or break).

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "test_bytes.h"
#include "test_wavs.h"

namespace spurwerk::testing {

// `frames` frames as a recording holds them (16 and 24 bits: a tone with a
// little noise, so FLAC has something to gain; else noise), of which the file
// keeps the first `presentBytes` (-1: all).
struct ArchiveWav {
    WavShape shape;
    std::uint32_t frames = 4410;
    std::int64_t presentBytes = -1;
};
Bytes BuildWav(const ArchiveWav& wav);

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

}  // namespace spurwerk::testing
