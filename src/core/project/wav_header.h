#pragma once
// WAV header reading: format, length and size of a recording, never its audio.

#include <cstdint>
#include <string>

#include "io/file_io.h"

namespace spurwerk {

struct WavHeader {
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;     // 0: no usable WAV header (also for a senseless format)
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint64_t dataSize = 0;     // 64 bit: RF64 files go beyond 4 GiB
    std::uint32_t listSize = 0;
    std::int64_t fileSize = -1;     // -1: the file could not be opened

    bool IsValid() const { return byteRate != 0; }
};

WavHeader ReadWavHeader(const std::string& path);
// The header of a file opened for reading; an unopened one gives fileSize -1.
WavHeader ReadWavHeader(InputFile file);

// data size * 1000 / block align / sample rate; 0 when either divisor is 0;
// at most INT32_MAX.
std::int32_t WavDurationMs(const WavHeader& header);

struct WavSummary {
    std::string text;
    std::int32_t durationMs = 0;
};
// The one-line summary of a WAV file (starts with a blank).
WavSummary WavHeaderSummary(const std::string& path, bool showListSize);

}  // namespace spurwerk
