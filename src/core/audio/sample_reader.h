#pragma once
// The samples of a WAV file, decoded here without any audio library so that
// every build (the Windows one too) has it and the byte layout stays visible:
// where each chunk lies and which bytes are samples.
//
// Sample formats: integer PCM of 8 (unsigned), 16, 24 and 32 bits, IEEE float
// of 32 and 64 bits; 1 to 8 channels; plain RIFF, RF64 and BW64; the
// WAVE_FORMAT_EXTENSIBLE format chunk. A data chunk that claims more bytes than
// the file holds (an interrupted recording) is read up to the end of the file;
// a partial frame at the end is not read.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "io/file_io.h"

namespace spurwerk {

constexpr std::uint16_t WavFormatPcm = 1;
constexpr std::uint16_t WavFormatFloat = 3;
constexpr std::uint16_t WavFormatExtensible = 0xFFFE;
constexpr std::uint16_t MaxSampleChannels = 8;
// Left-aligned 32-bit integer samples to floats in [-1, 1).
constexpr float SampleIntToFloat = 1.0f / 2147483648.0f;

// Bytes readable after the last stored frame a reader hands out, so that a
// 24-bit sample can be loaded as one 32-bit word.
constexpr std::size_t StoredSlack = 4;

// One stored integer PCM sample at `p` as a left-aligned int32 (8-bit samples
// are unsigned). A 24-bit sample reads one byte beyond itself (see StoredSlack).
template <int Bits>
std::int32_t StoredPcmSample(const std::uint8_t* p) {
    auto word = [](const std::uint8_t* q) {
        if constexpr (std::endian::native == std::endian::little) {
            std::uint32_t w;
            std::memcpy(&w, q, sizeof w);
            return w;
        } else {
            return static_cast<std::uint32_t>(q[0]) | static_cast<std::uint32_t>(q[1]) << 8 |
                   static_cast<std::uint32_t>(q[2]) << 16 | static_cast<std::uint32_t>(q[3]) << 24;
        }
    };
    static_assert(Bits == 8 || Bits == 16 || Bits == 24 || Bits == 32);
    if constexpr (Bits == 8) return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0] ^ 0x80) << 24);
    if constexpr (Bits == 16) return static_cast<std::int32_t>((static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8) << 16);
    if constexpr (Bits == 24) return static_cast<std::int32_t>(word(p) << 8);
    if constexpr (Bits == 32) return static_cast<std::int32_t>(word(p));
}

// Why a file gives no samples.
enum class WavFault {
    None,
    CannotOpen,         // missing, unreadable, not a regular file
    NotWave,            // no RIFF/RF64/BW64 WAVE header
    NoFormat,           // no format chunk before the data
    NoData,             // no data chunk
    UnsupportedFormat,  // compressed, or bits/channels outside the list above
    BadLayout,          // block align, rate or channel count that cannot be
};

// A short reason for a fault in the language loaded; empty for None.
std::string WavFaultText(WavFault fault);
// The same in English, for what files keep (an archive's manifest).
std::string WavFaultName(WavFault fault);

// One chunk as its header states it. `offset` is where its 8-byte header starts;
// `length` the stored length (for an RF64 data chunk the ds64 value).
struct WavChunk {
    std::string id;  // as stored, four characters
    std::int64_t offset = 0;
    std::uint64_t length = 0;
};

struct WavLayout {
    WavFault fault = WavFault::CannotOpen;
    std::string container;          // "RIFF", "RF64" or "BW64"
    std::uint16_t formatTag = 0;    // as stored (0xFFFE for extensible)
    std::uint16_t sampleFormat = 0; // WavFormatPcm or WavFormatFloat, from the sub-format when extensible
    bool extensible = false;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;  // container bits of one sample
    std::uint16_t validBits = 0;      // significant bits (extensible), else bitsPerSample
    std::uint32_t channelMask = 0;    // extensible only
    std::uint16_t blockAlign = 0;     // bytes of one frame
    bool isFloat = false;
    std::int64_t fileSize = -1;
    std::int64_t dataOffset = 0;      // first sample byte
    std::uint64_t declaredDataSize = 0;  // what the data chunk (or ds64) claims
    std::uint64_t dataSize = 0;       // sample bytes the file really holds
    std::uint64_t frameCount = 0;     // whole frames in dataSize
    std::vector<WavChunk> chunks;     // every chunk up to and including data, in file order

    bool Ok() const { return fault == WavFault::None; }
    bool Truncated() const { return dataSize < declaredDataSize; }
    std::uint16_t BytesPerSample() const { return static_cast<std::uint16_t>(bitsPerSample / 8); }
};

// Reads the layout only.
WavLayout ReadWavLayout(const std::string& path);

// Sequential frame reader. Integer reads are LEFT-ALIGNED int32: a sample of
// fewer than 32 bits is shifted to the top (16-bit 0x7FFF reads 0x7FFF0000, 8-bit
// unsigned 0 reads INT32_MIN), so full scale is the int32 range for every
// format; float sources are scaled by 2^31 and clamped. Float reads are the
// int32 value / 2^31 for integer sources (-1 <= x < 1) and the stored values for
// float sources (not clamped). Both are interleaved, `channels` per frame.
class SampleReader {
public:
    SampleReader() = default;
    SampleReader(SampleReader&&) noexcept = default;
    SampleReader& operator=(SampleReader&&) noexcept = default;

    // Check Layout().Ok() afterwards.
    static SampleReader Open(const std::string& path);

    const WavLayout& Layout() const { return layout_; }
    std::uint64_t Position() const { return position_; }
    // False beyond the last frame or on a seek failure; the position is unchanged then.
    bool Seek(std::uint64_t frame);

    // Read up to `frames` frames into `out` (room for frames * channels values)
    // and return how many were read: fewer only at the end of the data or when
    // the file shrank under us (then ReadError() is set).
    std::size_t ReadFloat(float* out, std::size_t frames);
    std::size_t ReadInt32(std::int32_t* out, std::size_t frames);
    // Up to `frames` frames as the file stores them (interleaved, little
    // endian), valid until the next read, followed by StoredSlack readable bytes.
    std::size_t ReadStored(const std::uint8_t*& bytes, std::size_t frames);
    bool ReadError() const { return readError_; }

private:
    std::size_t ReadRaw(std::size_t frames);

    WavLayout layout_;
    InputFile file_;
    std::uint64_t position_ = 0;
    bool readError_ = false;
    std::vector<std::uint8_t> raw_;
};

}  // namespace spurwerk
