#pragma once
// Little-endian PCM samples (16 or 24 bit, 1..8 channels) to FLAC and back,
// streaming in blocks so that long recordings never sit whole in memory.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace spurwerk {

struct PcmFormat {
    unsigned channels = 0;
    unsigned bitsPerSample = 0;
    unsigned sampleRate = 0;
    unsigned FrameBytes() const { return channels * bitsPerSample / 8; }
};

// 0 (fastest) to 8 (smallest); 5 is the flac tool's default.
constexpr int DefaultFlacLevel = 5;

class FlacEncoder {
public:
    // Writes the FLAC stream to `out` (opened for reading and writing: the
    // stream information is written again at the end). Throws FileError.
    FlacEncoder(std::FILE* out, const PcmFormat& format, int level, std::uint64_t totalFrames);
    ~FlacEncoder();
    FlacEncoder(const FlacEncoder&) = delete;
    FlacEncoder& operator=(const FlacEncoder&) = delete;
    // `bytes` holds whole frames.
    void Feed(const std::uint8_t* data, std::size_t bytes);
    void Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Reads a FLAC stream through `read` (returns 0 at its end) and hands the
// samples as little-endian PCM to `write`. Throws FileError naming `what` when
// the stream is damaged, its format is not `expected` or its checksum fails.
using ByteSource = std::function<std::size_t(std::uint8_t* buffer, std::size_t size)>;
using ByteSink = std::function<void(const std::uint8_t* data, std::size_t size)>;
void DecodeFlac(const PcmFormat& expected, const ByteSource& read, const ByteSink& write, const std::string& what);

}  // namespace spurwerk
