#pragma once
// The header of a PCM WAV whose data chunk claims `dataSize` bytes; mono
// 16-bit 44.1 kHz unless told otherwise, as the benchmarks' generated cards hold.

#include <cstdint>
#include <vector>

inline std::vector<char> WavHeader(std::uint32_t dataSize, std::uint16_t channels = 1, std::uint16_t bits = 16,
                                   std::uint32_t rate = 44100) {
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    std::vector<char> b;
    auto text = [&](const char* s) { b.insert(b.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<char>(v));
        b.push_back(static_cast<char>(v >> 8));
    };
    text("RIFF"), u32(36 + dataSize), text("WAVE"), text("fmt "), u32(16), u16(1), u16(channels), u32(rate),
        u32(rate * blockAlign), u16(blockAlign), u16(bits), text("data"), u32(dataSize);
    return b;
}
