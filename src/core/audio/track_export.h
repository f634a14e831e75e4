#pragma once
// Tracks of a project as files for other programs: one file per assigned
// track (a linked pair shares one stereo file), named so that a DAW sorts and
// shows them sensibly, all starting at the song's start.

#include <optional>
#include <string>
#include <vector>

#include "audio/audio_convert.h"
#include "text/bytes.h"

namespace spurwerk {

enum class ExportFormat { Wav16, Wav24, Flac };

// "wav16", "wav24", "flac"; nullopt for anything else.
std::optional<ExportFormat> ParseExportFormat(const std::string& text);

// "1,3-5" as track numbers 1..trackCount in ascending order, each once;
// nullopt for anything malformed or out of range.
std::optional<std::vector<int>> ParseTrackList(const std::string& text, int trackCount);

struct ExportItem {
    std::vector<int> tracks;   // 1-based; two for a linked pair
    std::string wavName;       // as assigned
    std::string source;        // its path in AUDIO; empty when missing
    std::string target;        // the file written
};

// What an export writes: `assignments` are the file fields of tracks 1..n
// (a linked pair's second track empty, `linked[i]` for the pair's first);
// `chosen` limits the tracks (empty: all). Names: "<project>_T03_<file>.wav",
// "<project>_T01-02_<file>.flac"; characters a file system may refuse become "_".
std::vector<ExportItem> PlanExport(const std::string& projectName, const std::string& audioFolder,
                                   const std::vector<std::string>& assignments, const std::vector<bool>& linked,
                                   const std::vector<int>& chosen, const std::string& targetFolder,
                                   ExportFormat format);

// The same for a project file's bytes as stored (no window open on it):
// its tracks' WAV names, stereo links, name and AUDIO folder.
std::vector<ExportItem> PlanProjectExport(const Bytes& project, const std::string& projectFile,
                                          const std::vector<int>& chosen, const std::string& targetFolder,
                                          ExportFormat format);

// Writes every item (each file complete or not at all); progress counts the
// source frames of all items together. Throws as ConvertAudio does; the files
// written before a failure or a cancel are removed again.
void ExportTracks(const std::vector<ExportItem>& items, ExportFormat format, bool replace,
                  const ConversionProgress& progress = {});

}  // namespace spurwerk
