#pragma once
// Silent PCM WAV files for the templates and the demo card.

#include <cstdint>
#include <filesystem>

#include "io/file_io.h"

namespace spurwerk::gen {

struct SilentWav {
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 16;
    std::uint32_t sampleRate = 44100;
    std::uint32_t durationMs = 1000;  // a multiple of 10 gives whole frames at 44.1 kHz
    bool listChunk = false;           // a LIST/INFO chunk between "fmt " and "data"
};

std::uint32_t FrameCount(const SilentWav& format);
// RIFF header, 16-byte format chunk, optional LIST chunk, zeroed data chunk.
Bytes BuildSilentWav(const SilentWav& format);
void WriteSilentWav(const std::filesystem::path& path, const SilentWav& format);

}  // namespace spurwerk::gen
