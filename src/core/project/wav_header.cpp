#include "project/wav_header.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/path_text.h"
#include "project/value_texts.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

// Real WAV files carry a handful of chunks before their data; the limit only
// keeps a hostile file of empty chunks from costing long.
constexpr int MaxChunksSearched = 1000;

// Reads `N` bytes at `offset`; false when the file does not hold them all.
template <std::size_t N>
bool ReadAt(std::ifstream& in, std::int64_t offset, std::array<std::uint8_t, N>& out) {
    in.clear();
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(N));
    return in.gcount() == static_cast<std::streamsize>(N);
}

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Long(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Chunk identifiers are matched without regard to letter case.
bool IdIs(const std::uint8_t* p, const char* id) {
    for (int i = 0; i < 4; ++i)
        if (std::toupper(p[i]) != id[i]) return false;
    return true;
}

// The chunk's body length as stored, plus the pad byte that follows an odd one.
std::int64_t PaddedLength(std::uint32_t length) { return static_cast<std::int64_t>(length) + (length & 1); }

// Walks the chunks after the format chunk up to the data chunk.
void FindDataChunk(std::ifstream& in, WavHeader& header, std::int64_t position) {
    std::array<std::uint8_t, 8> chunk{};
    for (int n = 0; n < MaxChunksSearched && position + 8 <= header.fileSize; ++n) {
        if (!ReadAt(in, position, chunk)) return;
        std::uint32_t length = Long(chunk.data() + 4);
        if (IdIs(chunk.data(), "DATA")) {
            header.dataSize = length;
            return;
        }
        if (IdIs(chunk.data(), "LIST")) header.listSize = length;
        position += 8 + PaddedLength(length);
    }
}

}  // namespace

WavHeader ReadWavHeader(const std::string& path) {
    WavHeader header;
    std::filesystem::path file = PathFromText(path);
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return header;
    std::ifstream in(file, std::ios::binary);
    if (!in) return header;
    in.seekg(0, std::ios::end);
    header.fileSize = static_cast<std::int64_t>(in.tellg());
    if (header.fileSize < 0) {
        header.fileSize = -1;
        return header;
    }

    std::array<std::uint8_t, 4> form{};
    if (!ReadAt(in, 8, form) || !IdIs(form.data(), "WAVE")) return header;
    // Format chunk length at 16, its fields from 22 to 35.
    std::array<std::uint8_t, 20> format{};
    if (!ReadAt(in, 16, format)) return header;
    header.channels = Word(format.data() + 6);
    header.sampleRate = Long(format.data() + 8);
    header.byteRate = Long(format.data() + 12);
    header.blockAlign = Word(format.data() + 16);
    header.bitsPerSample = Word(format.data() + 18);
    FindDataChunk(in, header, 20 + PaddedLength(Long(format.data())));
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
