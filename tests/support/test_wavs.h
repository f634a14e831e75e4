#pragma once
// WAV files with known samples for the audio tests: any container, format
// chunk flavour and sample format the reader takes, plus deliberate faults.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "text/bytes.h"

namespace spurwerk::testing {

struct WavShape {
    std::string container = "RIFF";  // "RF64"/"BW64" add a ds64 chunk
    std::uint16_t channels = 1;
    std::uint32_t rate = 48000;
    std::uint16_t bits = 16;
    bool isFloat = false;
    bool extensible = false;
    std::uint16_t validBits = 0;     // extensible: 0 = bits
    std::uint32_t channelMask = 0;
    std::vector<Bytes> chunksBeforeData{};  // between the format and the data chunk
    std::int64_t declaredDataSize = -1;     // -1: the real size
    std::vector<Bytes> chunksAfterData{};
};

// Samples as the file stores them: integers left-aligned to 32 bits (the top
// `bits` are kept; 8-bit stored unsigned), floats as given.
Bytes IntSampleBytes(std::uint16_t bits, const std::vector<std::int32_t>& leftAligned);
Bytes FloatSampleBytes(std::uint16_t bits, const std::vector<double>& values);

// A whole file around `data` (a pad byte follows odd data the chunk holds whole).
Bytes BuildWav(const WavShape& shape, const Bytes& data);

// Quiet noise that FLAC cannot shrink to nothing (a fixed seed: the same bytes every run).
Bytes NoiseBytes(std::size_t count, std::uint32_t seed = 1);

// `frames` frames of a sine of `amplitude` (of full scale) and `hz`, the same
// on every channel, as left-aligned int32 values.
std::vector<std::int32_t> SineSamples(std::size_t frames, std::uint16_t channels, double amplitude, double hz,
                                      std::uint32_t rate);
// A 16-bit or 24-bit sine file (any channel count).
void WriteSineWav(const std::filesystem::path& path, const WavShape& shape, double seconds, double amplitude, double hz);

}  // namespace spurwerk::testing
