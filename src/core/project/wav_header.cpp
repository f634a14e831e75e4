#include "project/wav_header.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <cstdio>
#include <sys/stat.h>
#include <system_error>

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
    std::FILE* file = nullptr;
    Bytes head;
    ~OpenFile() {
        if (file) std::fclose(file);
    }
};

// Reads out.size() bytes at `offset`; false when the file does not hold them all.
bool ReadAt(OpenFile& in, std::int64_t offset, Bytes& out) {
    if (offset >= 0 && static_cast<std::uint64_t>(offset) + out.size() <= in.head.size()) {
        std::copy_n(in.head.begin() + offset, out.size(), out.begin());
        return true;
    }
    if (in.head.size() < HeadBytes) return false;  // the head holds the whole file
#ifdef _WIN32
    if (_fseeki64(in.file, offset, SEEK_SET) != 0) return false;
#else
    if (fseeko(in.file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
#endif
    return std::fread(out.data(), 1, out.size(), in.file) == out.size();
}

// Chunk identifiers are matched without regard to letter case.
bool IdIs(const Bytes& bytes, const char* id) {
    for (std::size_t i = 0; i < 4; ++i)
        if (std::toupper(bytes[i]) != id[i]) return false;
    return true;
}

// The chunk's body length as stored, plus the pad byte that follows an odd one.
std::int64_t PaddedLength(std::uint32_t length) { return static_cast<std::int64_t>(length) + (length & 1); }

// Walks the chunks after the format chunk up to the data chunk.
void FindDataChunk(OpenFile& in, WavHeader& header, std::int64_t position) {
    Bytes chunk(8);
    for (int n = 0; n < MaxChunksSearched && position + 8 <= header.fileSize; ++n) {
        if (!ReadAt(in, position, chunk)) return;
        std::uint32_t length = ReadZDTLong(chunk, 4);
        if (IdIs(chunk, "DATA")) {
            header.dataSize = length;
            return;
        }
        if (IdIs(chunk, "LIST")) header.listSize = length;
        position += 8 + PaddedLength(length);
    }
}

}  // namespace

WavHeader ReadWavHeader(const std::string& path) {
    WavHeader header;
    OpenFile in;
#ifdef _WIN32
    in.file = _wfopen(PathFromText(path).wstring().c_str(), L"rb");
    struct _stat64 status;
    if (!in.file || _fstat64(_fileno(in.file), &status) != 0 || (status.st_mode & _S_IFDIR)) return header;
#else
    in.file = std::fopen(PathFromText(path).c_str(), "rb");
    struct stat status;
    if (!in.file || fstat(fileno(in.file), &status) != 0 || S_ISDIR(status.st_mode)) return header;
#endif
    header.fileSize = static_cast<std::int64_t>(status.st_size);
    in.head.resize(HeadBytes);
    in.head.resize(std::fread(in.head.data(), 1, HeadBytes, in.file));

    Bytes form(4);
    if (!ReadAt(in, 8, form) || !IdIs(form, "WAVE")) return header;
    // Format chunk length at 16, its fields from 22 to 35.
    Bytes format(20);
    if (!ReadAt(in, 16, format)) return header;
    header.channels = ReadZDTWord(format, 6);
    header.sampleRate = ReadZDTLong(format, 8);
    header.byteRate = ReadZDTLong(format, 12);
    header.blockAlign = ReadZDTWord(format, 16);
    header.bitsPerSample = ReadZDTWord(format, 18);
    FindDataChunk(in, header, 20 + PaddedLength(ReadZDTLong(format, 0)));
    return header;
}

std::int32_t WavDurationMs(const WavHeader& header) {
    if (header.blockAlign == 0 || header.sampleRate == 0) return 0;
    std::int64_t ms = static_cast<std::int64_t>(header.dataSize) * 1000 / header.blockAlign / header.sampleRate;
    return static_cast<std::int32_t>(std::min<std::int64_t>(ms, INT32_MAX));
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
