#include "archive/sample_layout.h"

#include <cstring>

#include "io/file_io.h"

namespace spurwerk {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint64_t Le64(const std::uint8_t* p) { return Le32(p) | std::uint64_t{Le32(p + 4)} << 32; }

bool ReadAt(std::FILE* file, std::uint64_t offset, std::uint8_t* out, std::size_t count) {
#ifdef _WIN32
    if (_fseeki64(file, static_cast<long long>(offset), SEEK_SET) != 0) return false;
#else
    if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
#endif
    return std::fread(out, 1, count, file) == count;
}

void DecideCompression(SampleLayout& layout, bool haveFormat) {
    std::string& reason = layout.storeRawReason;
    if (!haveFormat) reason = "no format chunk before the data";
    else if (layout.formatTag == 3) reason = "floating-point samples";
    else if (layout.formatTag != 1) reason = "not PCM (format " + std::to_string(layout.formatTag) + ")";
    else if (layout.bitsPerSample != 16 && layout.bitsPerSample != 24)
        reason = std::to_string(layout.bitsPerSample) + "-bit samples";
    else if (layout.channels < 1 || layout.channels > 8) reason = std::to_string(layout.channels) + " channels";
    else if (layout.blockAlign != layout.channels * layout.bitsPerSample / 8) reason = "block align does not fit the format";
    else if (layout.sampleRate < 1 || layout.sampleRate > 655350) reason = "sample rate " + std::to_string(layout.sampleRate);
    else if (layout.sampleBytes == 0) reason = "no samples";
    else if (layout.PrefixBytes() > MaxKeptOutsideBytes || layout.SuffixBytes() > MaxKeptOutsideBytes)
        reason = "too many bytes outside the samples";
}

}  // namespace

SampleLayout LocateSamples(const std::filesystem::path& path) {
    InputFile file = InputFile::OpenOrThrow(path);
    SampleLayout layout;
    layout.fileSize = static_cast<std::uint64_t>(file.Size());
    std::uint8_t head[12];
    if (!ReadAt(file.get(), 0, head, 12) || std::memcmp(head + 8, "WAVE", 4) != 0 ||
        (std::memcmp(head, "RIFF", 4) != 0 && std::memcmp(head, "RF64", 4) != 0 && std::memcmp(head, "BW64", 4) != 0)) {
        layout.storeRawReason = "no WAV header";
        return layout;
    }
    layout.rf64 = std::memcmp(head, "RIFF", 4) != 0;
    std::uint64_t ds64DataSize = 0;
    bool haveFormat = false;
    std::uint64_t at = 12;
    std::uint8_t chunk[8];
    while (ReadAt(file.get(), at, chunk, 8)) {
        std::uint64_t size = Le32(chunk + 4);
        std::uint64_t body = at + 8;
        if (std::memcmp(chunk, "ds64", 4) == 0 && size >= 16) {
            std::uint8_t ds64[16];
            if (ReadAt(file.get(), body, ds64, 16)) ds64DataSize = Le64(ds64 + 8);
        } else if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            std::uint8_t fmt[26] = {};
            if (!ReadAt(file.get(), body, fmt, size >= 26 ? 26 : 16)) break;
            layout.formatTag = Le16(fmt);
            layout.channels = Le16(fmt + 2);
            layout.sampleRate = Le32(fmt + 4);
            layout.blockAlign = Le16(fmt + 12);
            layout.bitsPerSample = Le16(fmt + 14);
            // Extensible: the sub-format GUID starts with the real format tag.
            if (layout.formatTag == 0xFFFE && size >= 40) {
                std::uint8_t sub[2];
                if (ReadAt(file.get(), body + 24, sub, 2)) layout.formatTag = Le16(sub);
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (layout.rf64 && size == 0xFFFFFFFFu) size = ds64DataSize;
            layout.dataOffset = body;
            std::uint64_t present = layout.fileSize > body ? layout.fileSize - body : 0;
            std::uint64_t bytes = size < present ? size : present;
            if (layout.blockAlign > 0) bytes -= bytes % layout.blockAlign;
            layout.sampleBytes = bytes;
            DecideCompression(layout, haveFormat);
            return layout;
        }
        at = body + size + (size & 1);
    }
    layout.storeRawReason = "no data chunk";
    layout.dataOffset = 0;
    return layout;
}

}  // namespace spurwerk
