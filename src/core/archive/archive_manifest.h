#pragma once
// The manifest an archive opens with: what the project is (name, recorder,
// tracks, marks) and every original file with its size, SHA-256 and how it
// is stored. Names are the card's bytes; in the JSON they are UTF-8, with the
// bytes in hex beside a name that is not UTF-8 (Windows-1252 from the card).

#include <cstdint>
#include <string>
#include <vector>

#include "archive/flac_codec.h"

namespace spurwerk {

constexpr const char* ManifestEntryName = "spurwerk-manifest.json";
constexpr int ManifestVersion = 1;

enum class FileStorage { Raw, Flac };

struct ArchivedFile {
    std::string path;  // card bytes, relative to the project folder, "/" between parts
    std::uint64_t size = 0;
    std::string sha256;
    FileStorage storage = FileStorage::Raw;
    std::string rawReason;  // a WAV kept as it is: why
    // FLAC only: the original file is prefix + samples + suffix.
    std::uint64_t prefixBytes = 0, sampleBytes = 0, suffixBytes = 0;
    PcmFormat format;
};

struct ArchivedTrack {
    int track = 0;  // 1..16; 0 for the master track
    std::string wav;
    std::string status;  // "record", "play", "off"; empty for the master
};

struct ArchiveManifest {
    std::string created;  // UTC, ISO 8601
    std::string folder;   // the original folder name (card bytes)
    std::string project;  // the hidden project name (card bytes)
    std::string projectFile = "PRJDATA.ZDT";
    std::string model = "R16";
    int bitDepth = 16;
    int flacLevel = DefaultFlacLevel;
    bool infoFile = false;  // the project had a project-name info file
    std::vector<ArchivedTrack> tracks;
    std::vector<std::int32_t> marks;
    std::vector<ArchivedFile> files;

    // The container's entries of a file, in the order they are written.
    static std::vector<std::string> EntryNames(const std::string& folder, const ArchivedFile& file);
};

std::string ManifestToJson(const ArchiveManifest& manifest);
// Throws FileError ("damaged manifest: ...") for anything missing, of the
// wrong type, or a path that could leave the project folder.
ArchiveManifest ManifestFromJson(const std::string& json);

// A relative path of plain names: no "", ".", "..", no leading "/", no "\",
// no NUL. Everything the archive writes on the disk passes this.
bool IsSafeRelativePath(const std::string& path);

// The name as UTF-8 text for showing (Windows-1252 when not UTF-8).
std::string NameText(const std::string& cardBytes);

}  // namespace spurwerk
