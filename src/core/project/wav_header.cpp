#include "project/wav_header.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <optional>
#include <cstdio>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "project/value_texts.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

// Real WAV files carry a handful of chunks before their data; the limit only
// keeps a hostile file of empty chunks from costing long.
constexpr int MaxChunksSearched = 1000;

// The first bytes of a file, read at once: the header and its first chunks
// normally lie inside, so most files need a single read.
constexpr std::size_t HeadBytes = 512;

struct OpenFile {
    InputFile file;
    Bytes head;
};

// Reads out.size() bytes at `offset`; false when the file does not hold them all.
bool ReadAt(OpenFile& in, std::int64_t offset, Bytes& out) {
    if (offset >= 0 && static_cast<std::uint64_t>(offset) + out.size() <= in.head.size()) {
        std::copy_n(in.head.begin() + offset, out.size(), out.begin());
        return true;
    }
    if (in.head.size() < HeadBytes) return false;  // the head holds the whole file
    return in.file.ReadAt(offset, out.data(), out.size());
}

// Chunk identifiers are matched without regard to letter case.
bool IdIs(const Bytes& bytes, const char* id) {
    for (std::size_t i = 0; i < 4; ++i)
        if (std::toupper(bytes[i]) != id[i]) return false;
    return true;
}

// The chunk's body length as stored, plus the pad byte that follows an odd one.
std::int64_t PaddedLength(std::uint32_t length) { return static_cast<std::int64_t>(length) + (length & 1); }

std::uint64_t ReadLong64(const Bytes& bytes, std::size_t offset) {
    return ReadZDTLong(bytes, offset) | static_cast<std::uint64_t>(ReadZDTLong(bytes, offset + 4)) << 32;
}

void ReadFormat(const Bytes& format, WavHeader& header) {
    header.channels = ReadZDTWord(format, 2);
    header.sampleRate = ReadZDTLong(format, 4);
    header.byteRate = ReadZDTLong(format, 8);
    header.blockAlign = ReadZDTWord(format, 12);
    header.bitsPerSample = ReadZDTWord(format, 14);
}

// Walks the chunks from `position` up to the data chunk. RF64 files (`ds64Size`
// set) keep the real data size in their ds64 chunk and 0xFFFFFFFF in the data
// chunk; their format chunk follows ds64 instead of standing at offset 12.
void FindDataChunk(OpenFile& in, WavHeader& header, std::int64_t position, std::optional<std::uint64_t> ds64Size) {
    Bytes chunk(8);
    for (int n = 0; n < MaxChunksSearched && position + 8 <= header.fileSize; ++n) {
        if (!ReadAt(in, position, chunk)) return;
        std::uint32_t length = ReadZDTLong(chunk, 4);
        if (IdIs(chunk, "DATA")) {
            header.dataSize = ds64Size && length == 0xFFFFFFFF ? *ds64Size : length;
            return;
        }
        if (IdIs(chunk, "LIST")) header.listSize = length;
        if (ds64Size && IdIs(chunk, "FMT ")) {
            Bytes format(16);
            if (!ReadAt(in, position + 8, format)) return;
            ReadFormat(format, header);
        }
        position += 8 + PaddedLength(length);
    }
}

// A format no recording has (no channels, no bits, no rate) is no WAV file.
void DropSenselessFormat(WavHeader& header) {
    if (header.channels == 0 || header.bitsPerSample == 0 || header.sampleRate == 0 || header.blockAlign == 0)
        header.byteRate = 0;
}

}  // namespace

WavHeader ReadWavHeader(const std::string& path) {
    std::error_code ec;
    // Never blocks on a FIFO; a folder or device named *.WAV is no WAV file.
    return ReadWavHeader(InputFile::Open(PathFromText(path), ec));
}

WavHeader ReadWavHeader(InputFile file) {
    WavHeader header;
    OpenFile in{std::move(file), {}};
    std::error_code ec;
    if (!in.file) return header;
    header.fileSize = in.file.Size();
    in.head.resize(HeadBytes);
    in.head.resize(in.file.Read(in.head.data(), HeadBytes, ec));

    Bytes form(4);
    if (!ReadAt(in, 8, form) || !IdIs(form, "WAVE")) return header;
    Bytes riff(4);
    ReadAt(in, 0, riff);
    if (IdIs(riff, "RF64") || IdIs(riff, "BW64")) {
        Bytes ds64(8 + 16);
        if (!ReadAt(in, 12, ds64) || !IdIs(ds64, "DS64")) return header;
        FindDataChunk(in, header, 12, ReadLong64(ds64, 16));
        DropSenselessFormat(header);
        return header;
    }
    // Format chunk length at 16, its fields from 22 to 35.
    Bytes format(20);
    if (!ReadAt(in, 16, format)) return header;
    ReadFormat(Bytes(format.begin() + 4, format.end()), header);
    FindDataChunk(in, header, 20 + PaddedLength(ReadZDTLong(format, 0)), std::nullopt);
    DropSenselessFormat(header);
    return header;
}

std::int32_t WavDurationMs(const WavHeader& header) {
    if (header.blockAlign == 0 || header.sampleRate == 0) return 0;
    // data * 1000 / blockAlign / sampleRate, each division truncating, is
    // data * 1000 / (blockAlign * sampleRate); split so a 64-bit size cannot overflow.
    std::uint64_t bytesPerSecond = static_cast<std::uint64_t>(header.blockAlign) * header.sampleRate;
    std::uint64_t seconds = header.dataSize / bytesPerSecond;
    std::uint64_t rest = header.dataSize % bytesPerSecond;
    if (seconds > static_cast<std::uint64_t>(INT32_MAX) / 1000) return INT32_MAX;
    std::uint64_t ms = seconds * 1000 + rest * 1000 / bytesPerSecond;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(ms, INT32_MAX));
}

WavSummary WavHeaderSummary(const std::string& path, bool showListSize) {
    WavHeader header = ReadWavHeader(path);
    std::string fileText = " (File: " + SizeText(header.fileSize) + "b)";
    WavSummary summary;
    if (!header.IsValid()) {
        summary.text = " " + Txt(261) + fileText;
        return summary;
    }
    summary.durationMs = WavDurationMs(header);
    // Sample rate in kHz, "00.0", halves rounded away from zero.
    std::string rate = FormatTenths((static_cast<std::int64_t>(header.sampleRate) + 50) / 100, 2);
    summary.text = " [t=" + MillisecondsText(summary.durationMs) + ", " + std::to_string(header.channels) + "x" +
                   rate + "KHz, " + std::to_string(header.bitsPerSample) + "-Bit]" + "   [Data: " +
                   std::to_string(header.dataSize) + " B.]" + fileText;
    if (showListSize) summary.text += " {LIST: " + std::to_string(header.listSize) + " B.}";
    return summary;
}

}  // namespace spurwerk
