#pragma once
// One line of the project list for a found file: its path, its date, and for a
// project its name, recording modes, track values and the WAV files of its
// AUDIO folder; for a WAV file its header summary.

#include <cstdint>
#include <string>

#include "project/project_name.h"

namespace spurwerk {

// The list window's check boxes and the options the lines depend on.
struct ListLineOptions {
    int minListFileLength = 64;              // MinListFileLength
    bool listRecordModi = true;              // CBListRecordModi
    bool listWavFileSize = true;             // CBListWAVFileSize
    bool listWavFileDate = true;             // CBListWAVFileDate
    std::string dateFormat = "dd.mm.yyyy hh:nn:ss";  // EditListDTFormat
    bool useTrackInfos = false;              // CBUseTrackInfos
    TrackSummaryOptions trackInfos;          // selected groups, CBTrackInfosCompact
    bool showListSize = false;               // ShowListSize
};

// The date written after "## " on every line.
inline constexpr const char* ListLineDateFormat = "dd.mm.yy hh:nn:ss";

struct WavListing {
    int count = 0;
    std::int32_t longestMs = 0;  // known only when sizes are listed
    std::string text;
};

// The *.WAV files (not folders) of a folder, each as a right-aligned item.
WavListing ListWavFiles(const std::string& audioDir, const ListLineOptions& options);

// `dir` ends with a separator. `project` is the project read from the file, or
// nullptr for any other file.
std::string BuildListLine(const std::string& dir, const std::string& name, const ProjectNameInfo* project,
                          const ListLineOptions& options);

}  // namespace spurwerk
