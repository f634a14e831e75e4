#pragma once
// The list of WAV files in a project's AUDIO folder as the mixer shows it: one
// line per file with the track that names it and its header summary, the
// header line with the counts, the found flags and the recording end.

#include <cstdint>
#include <string>
#include <vector>

#include "io/wav_files.h"
#include "mixer/mixer_control.h"

namespace spurwerk {

struct WavList {
    std::vector<std::string> lines;   // [0] is the header line
    std::vector<std::string> files;   // the folder's WAV files in list order
    std::vector<std::string> tracks;  // per file the track naming it ("3", "M" for the master) or ""
    std::vector<bool> found;          // per assignment given
    int matchedFiles = 0;
    int missing = 0;
    std::int32_t recordingEnd = 0;    // longest duration of the listed files
};

// `assignments` are the fields of strips 0 .. track count, the master's last.
// An empty `audioFolder` (no project loaded) gives only the empty first line.
WavList BuildWavList(const std::string& audioFolder, const std::vector<std::string>& assignments,
                     bool showListSize);

// "<n> WAV-Dateien,  <m> davon Tracks zugeordnet!" and the "!!!" warning.
std::string WavListHeader(int fileCount, int matchedFiles, int missing);

// Colour of a file field: disabled (stereo partner) lilac or silver; found the
// window colour; an existing file claimed by an earlier strip yellow; else red.
Colour FileFieldColour(bool enabled, const std::string& text, bool found, bool fileExists);

}  // namespace spurwerk
