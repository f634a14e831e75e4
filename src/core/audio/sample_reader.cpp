#include "audio/sample_reader.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "io/path_text.h"
#include "settings/cli_texts.h"

namespace spurwerk {

namespace {

// Real files carry a handful of chunks before their data; the limit keeps a
// hostile file of empty chunks from costing long.
constexpr int MaxChunksWalked = 1000;

// The GUID tail every WAVE_FORMAT_EXTENSIBLE sub-format for PCM and float shares.
constexpr std::uint8_t ExtensibleGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Frames decoded per read from the file: large enough that a read costs little
// against the decode, small enough to stay in the cache.
constexpr std::size_t FramesPerRawRead = 16384;


std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Long(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint64_t Long64(const std::uint8_t* p) { return Long(p) | static_cast<std::uint64_t>(Long(p + 4)) << 32; }

bool IdIs(const std::uint8_t* p, const char* id) {
    for (int i = 0; i < 4; ++i)
        if (std::toupper(p[i]) != id[i]) return false;
    return true;
}

bool ReadAt(InputFile& file, std::int64_t offset, std::uint8_t* out, std::size_t count) {
    return file.ReadAt(offset, out, count);
}

// Fills the format fields from a format chunk body of `length` bytes.
WavFault ParseFormat(const std::uint8_t* body, std::uint32_t length, WavLayout& layout) {
    if (length < 16) return WavFault::NoFormat;
    layout.formatTag = Word(body);
    layout.channels = Word(body + 2);
    layout.sampleRate = Long(body + 4);
    layout.blockAlign = Word(body + 12);
    layout.bitsPerSample = Word(body + 14);
    layout.validBits = layout.bitsPerSample;
    layout.sampleFormat = layout.formatTag;
    if (layout.formatTag == WavFormatExtensible) {
        layout.extensible = true;
        if (length < 40 || Word(body + 16) < 22) return WavFault::UnsupportedFormat;
        layout.validBits = Word(body + 18);
        layout.channelMask = Long(body + 20);
        layout.sampleFormat = Word(body + 24);
        if (std::memcmp(body + 26, ExtensibleGuidTail, sizeof ExtensibleGuidTail) != 0) return WavFault::UnsupportedFormat;
    }
    const std::uint16_t bits = layout.bitsPerSample;
    if (layout.sampleFormat == WavFormatPcm) {
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return WavFault::UnsupportedFormat;
    } else if (layout.sampleFormat == WavFormatFloat) {
        if (bits != 32 && bits != 64) return WavFault::UnsupportedFormat;
        layout.isFloat = true;
    } else {
        return WavFault::UnsupportedFormat;
    }
    if (layout.validBits == 0 || layout.validBits > bits) layout.validBits = bits;
    if (layout.channels == 0 || layout.channels > MaxSampleChannels) return WavFault::UnsupportedFormat;
    if (layout.sampleRate == 0 || layout.blockAlign != layout.channels * (bits / 8)) return WavFault::BadLayout;
    return WavFault::None;
}

WavFault WalkChunks(InputFile& file, WavLayout& layout) {
    std::uint8_t head[12];
    if (!ReadAt(file, 0, head, sizeof head) || !IdIs(head + 8, "WAVE")) return WavFault::NotWave;
    layout.container.assign(reinterpret_cast<const char*>(head), 4);
    const bool rf64 = IdIs(head, "RF64") || IdIs(head, "BW64");
    if (!rf64 && !IdIs(head, "RIFF")) return WavFault::NotWave;

    std::uint64_t ds64DataSize = 0;
    bool haveFormat = false;
    WavFault formatFault = WavFault::NoFormat;
    std::int64_t position = 12;
    for (int n = 0; n < MaxChunksWalked && position + 8 <= layout.fileSize; ++n) {
        std::uint8_t chunk[8];
        if (!ReadAt(file, position, chunk, sizeof chunk)) break;
        std::uint64_t length = Long(chunk + 4);
        const std::int64_t body = position + 8;
        if (rf64 && n == 0) {
            std::uint8_t ds64[24];
            if (!IdIs(chunk, "DS64") || length < 24 || !ReadAt(file, body, ds64, sizeof ds64)) return WavFault::NotWave;
            ds64DataSize = Long64(ds64 + 8);
        }
        const bool isData = IdIs(chunk, "DATA");
        if (isData && rf64 && length == 0xFFFFFFFF) length = ds64DataSize;
        layout.chunks.push_back({std::string(reinterpret_cast<const char*>(chunk), 4), position, length});
        if (isData) {
            if (!haveFormat) return formatFault;
            layout.dataOffset = body;
            layout.declaredDataSize = length;
            const std::uint64_t present = static_cast<std::uint64_t>(std::max<std::int64_t>(layout.fileSize - body, 0));
            layout.dataSize = std::min(length, present);
            layout.frameCount = layout.dataSize / layout.blockAlign;
            return WavFault::None;
        }
        if (IdIs(chunk, "FMT ") && !haveFormat) {
            std::uint8_t format[40] = {};
            const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(length, sizeof format));
            if (!ReadAt(file, body, format, want)) return WavFault::NoFormat;
            formatFault = ParseFormat(format, want, layout);
            haveFormat = formatFault == WavFault::None;
            if (!haveFormat) return formatFault;
        }
        position = body + static_cast<std::int64_t>(length + (length & 1));
    }
    return haveFormat ? WavFault::NoData : formatFault;
}

double FloatSample32(const std::uint8_t* p) { return std::bit_cast<float>(Long(p)); }
double FloatSample64(const std::uint8_t* p) { return std::bit_cast<double>(Long64(p)); }

std::int32_t ClampToInt(double x) {
    if (!(x == x)) return 0;  // NaN
    const double scaled = x * 2147483648.0;
    if (scaled >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (scaled <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::lround(scaled));
}

template <typename Out, typename Convert>
void DecodeAll(const std::uint8_t* raw, std::size_t samples, std::size_t width, Out* out, Convert convert) {
    for (std::size_t i = 0; i < samples; ++i) out[i] = convert(raw + i * width);
}

template <typename Out, typename FromInt, typename FromFloat>
void Decode(const WavLayout& layout, const std::uint8_t* raw, std::size_t samples, Out* out, FromInt fromInt,
            FromFloat fromFloat) {
    const std::size_t width = layout.BytesPerSample();
    if (layout.isFloat) {
        if (layout.bitsPerSample == 32)
            DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromFloat(FloatSample32(p)); });
        else
            DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromFloat(FloatSample64(p)); });
        return;
    }
    switch (layout.bitsPerSample) {
    case 8: DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromInt(StoredPcmSample<8>(p)); }); break;
    case 16: DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromInt(StoredPcmSample<16>(p)); }); break;
    case 24: DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromInt(StoredPcmSample<24>(p)); }); break;
    default: DecodeAll(raw, samples, width, out, [&](const std::uint8_t* p) { return fromInt(StoredPcmSample<32>(p)); }); break;
    }
}

}  // namespace

std::string WavFaultText(WavFault fault) {
    switch (fault) {
    case WavFault::None: return "";
    case WavFault::CannotOpen: return CliTxt(CliText::WavCannotOpen);
    case WavFault::NotWave: return CliTxt(CliText::WavNotWave);
    case WavFault::NoFormat: return CliTxt(CliText::WavNoFormat);
    case WavFault::NoData: return CliTxt(CliText::WavNoData);
    case WavFault::UnsupportedFormat: return CliTxt(CliText::WavUnsupported);
    case WavFault::BadLayout: return CliTxt(CliText::WavBadLayout);
    }
    return "";
}

std::string WavFaultName(WavFault fault) {
    switch (fault) {
    case WavFault::None: return "";
    case WavFault::CannotOpen: return "cannot be read";
    case WavFault::NotWave: return "no WAV file";
    case WavFault::NoFormat: return "no format chunk";
    case WavFault::NoData: return "no data chunk";
    case WavFault::UnsupportedFormat: return "unsupported sample format";
    case WavFault::BadLayout: return "inconsistent format chunk";
    }
    return "";
}

WavLayout ReadWavLayout(const std::string& path) { return SampleReader::Open(path).Layout(); }

SampleReader SampleReader::Open(const std::string& path) {
    SampleReader reader;
    std::error_code ec;
    reader.file_ = InputFile::Open(PathFromText(path), ec);
    if (!reader.file_) return reader;
    reader.layout_.fileSize = reader.file_.Size();
    reader.layout_.fault = WalkChunks(reader.file_, reader.layout_);
    if (!reader.layout_.Ok()) reader.file_ = InputFile();
    return reader;
}

bool SampleReader::Seek(std::uint64_t frame) {
    if (!layout_.Ok() || frame > layout_.frameCount) return false;
    position_ = frame;
    return true;
}

std::size_t SampleReader::ReadRaw(std::size_t frames) {
    if (!layout_.Ok()) return 0;
    frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, layout_.frameCount - position_));
    if (frames == 0) return 0;
    const auto offset = layout_.dataOffset + static_cast<std::int64_t>(position_ * layout_.blockAlign);
    const std::size_t want = frames * layout_.blockAlign;
    raw_.resize(want + StoredSlack);
    std::size_t bytes = want;
    if (!file_.ReadAt(offset, raw_.data(), want)) {
        // A file cut short: the whole frames it still holds.
        bytes = 0;
        while (bytes < want && file_.ReadAt(offset + static_cast<std::int64_t>(bytes), raw_.data() + bytes,
                                            layout_.blockAlign))
            bytes += layout_.blockAlign;
    }
    const std::size_t got = bytes / layout_.blockAlign;
    if (got < frames) {
        readError_ = true;
    }
    position_ += got;
    return got;
}

std::size_t SampleReader::ReadFloat(float* out, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t got = ReadRaw(std::min(frames - done, FramesPerRawRead));
        if (got == 0) break;
        Decode(layout_, raw_.data(), got * layout_.channels, out + done * layout_.channels,
               [](std::int32_t v) { return static_cast<float>(v) * SampleIntToFloat; },
               [](double v) { return static_cast<float>(v); });
        done += got;
    }
    return done;
}

std::size_t SampleReader::ReadStored(const std::uint8_t*& bytes, std::size_t frames) {
    const std::size_t got = ReadRaw(frames);
    bytes = raw_.data();
    return got;
}

std::size_t SampleReader::ReadInt32(std::int32_t* out, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t got = ReadRaw(std::min(frames - done, FramesPerRawRead));
        if (got == 0) break;
        Decode(layout_, raw_.data(), got * layout_.channels, out + done * layout_.channels,
               [](std::int32_t v) { return v; }, [](double v) { return ClampToInt(v); });
        done += got;
    }
    return done;
}

}  // namespace spurwerk
