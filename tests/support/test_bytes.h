#pragma once
// The one builder of bytes for tests: little-endian fields, WAV files and
// project files.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "project/zdt_document.h"

namespace spurwerk::testing {

// --- little-endian fields ------------------------------------------------------
void PutWord(Bytes& b, std::uint16_t value);
void PutLong(Bytes& b, std::uint32_t value);
void PutText(Bytes& b, const std::string& text);
// Overwrite in place (the bytes must exist).
void SetWord(Bytes& b, std::size_t at, std::uint16_t value);
void SetLong(Bytes& b, std::size_t at, std::uint32_t value);
inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// --- WAV files -----------------------------------------------------------------
// A chunk declaring `length` bytes and holding `bodyBytes` of them (all of them,
// plus the pad byte of an odd length, by default).
Bytes Chunk(const std::string& id, std::uint32_t length, std::int64_t bodyBytes = -1);
Bytes FmtChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t blockAlign = 0);
// RIFF header with the size of what follows, then the chunks.
Bytes Riff(const std::string& form, std::initializer_list<Bytes> chunks);
// A PCM WAV file of silence of the given length.
Bytes WavBytes(std::uint32_t durationMs, std::uint16_t channels = 1, std::uint16_t bits = 16,
               std::uint32_t rate = 44100);
// A small WAV file (16-bit mono at 1000 Hz) of the given length.
void WriteWav(const std::filesystem::path& path, std::uint32_t durationMs);

// --- project files ---------------------------------------------------------------
struct ProjectSetup {
    std::string name = "SONG";
    std::vector<std::string> wavNames{};   // tracks 1.. in order; "" = none
    std::string masterWav{};
    bool bits24 = false;
    bool wet = false;
    std::vector<int> stereoStrips{};       // even strip indices of linked pairs
    std::vector<std::int32_t> marks{};
    bool deviceDefaults = false;           // pans centred, EQ as the recorder sets it, all tracks play
    std::size_t size = MinProjectDataSize;
};

Bytes ProjectBytes(const ProjectSetup& setup);
// 3400 bytes with the recorder's defaults on 16 tracks and no name.
Bytes BlankProject();

}  // namespace spurwerk::testing
