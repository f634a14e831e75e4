#include "test_wavs.h"

#include <bit>
#include <cmath>
#include <numbers>

#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk::testing {

Bytes IntSampleBytes(std::uint16_t bits, const std::vector<std::int32_t>& leftAligned) {
    Bytes b;
    const int width = bits / 8;
    for (std::int32_t v : leftAligned) {
        auto u = static_cast<std::uint32_t>(v);
        if (bits == 8) u ^= 0x80000000u;
        for (int i = 0; i < width; ++i) b.push_back(static_cast<std::uint8_t>(u >> (32 - 8 * width + 8 * i)));
    }
    return b;
}

Bytes FloatSampleBytes(std::uint16_t bits, const std::vector<double>& values) {
    Bytes b;
    for (double v : values) {
        std::uint64_t u = bits == 64 ? std::bit_cast<std::uint64_t>(v) : std::bit_cast<std::uint32_t>(static_cast<float>(v));
        for (int i = 0; i < bits / 8; ++i) b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    return b;
}

namespace {

Bytes FormatChunk(const WavShape& shape) {
    const std::uint16_t sampleFormat = shape.isFloat ? 3 : 1;
    Bytes b = FmtChunk(shape.channels, shape.rate, shape.bits);
    SetWord(b, 8, shape.extensible ? 0xFFFE : sampleFormat);
    if (!shape.extensible) return b;
    SetLong(b, 4, 40);
    PutWord(b, 22);
    PutWord(b, shape.validBits ? shape.validBits : shape.bits);
    PutLong(b, shape.channelMask);
    PutWord(b, sampleFormat);
    for (int x : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
        b.push_back(static_cast<std::uint8_t>(x));
    return b;
}

void PutLong64(Bytes& b, std::uint64_t value) {
    PutLong(b, static_cast<std::uint32_t>(value));
    PutLong(b, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace

Bytes BuildWav(const WavShape& shape, const Bytes& data) {
    const bool rf64 = shape.container != "RIFF";
    const std::uint64_t declared = shape.declaredDataSize < 0 ? data.size() : static_cast<std::uint64_t>(shape.declaredDataSize);
    Bytes body;
    PutText(body, "WAVE");
    if (rf64) {
        PutText(body, "ds64");
        PutLong(body, 28);
        PutLong64(body, 0);  // RIFF size, set below
        PutLong64(body, declared);
        PutLong64(body, 0);
        PutLong(body, 0);
    }
    Bytes fmt = FormatChunk(shape);
    body.insert(body.end(), fmt.begin(), fmt.end());
    for (const Bytes& c : shape.chunksBeforeData) body.insert(body.end(), c.begin(), c.end());
    PutText(body, "data");
    PutLong(body, rf64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(declared));
    body.insert(body.end(), data.begin(), data.end());
    if ((data.size() & 1) && declared == data.size()) body.push_back(0);
    for (const Bytes& c : shape.chunksAfterData) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutText(b, shape.container);
    PutLong(b, rf64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(body.size()));
    if (rf64) {
        for (std::size_t i = 0; i < 8; ++i) body[12 + i] = static_cast<std::uint8_t>((body.size() + 4) >> (8 * i));
    }
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes NoiseBytes(std::size_t count, std::uint32_t seed) {
    Bytes bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24 & 0x3F);
    }
    return bytes;
}

std::vector<std::int32_t> SineSamples(std::size_t frames, std::uint16_t channels, double amplitude, double hz,
                                      std::uint32_t rate) {
    std::vector<std::int32_t> out;
    out.reserve(frames * channels);
    for (std::size_t i = 0; i < frames; ++i) {
        const double x = amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate);
        const auto v = static_cast<std::int32_t>(std::lround(x * 2147483647.0));
        for (std::uint16_t c = 0; c < channels; ++c) out.push_back(v);
    }
    return out;
}

void WriteSineWav(const std::filesystem::path& path, const WavShape& shape, double seconds, double amplitude, double hz) {
    const auto frames = static_cast<std::size_t>(seconds * shape.rate);
    WriteBytes(path, BuildWav(shape, IntSampleBytes(shape.bits, SineSamples(frames, shape.channels, amplitude, hz, shape.rate))));
}

}  // namespace spurwerk::testing
