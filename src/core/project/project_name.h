#pragma once
// Reading the hidden project name (and the values the project list shows) from
// any project file, reading only the bytes needed.

#include <string>
#include <vector>

#include "project/zdt_document.h"

namespace spurwerk {

// Values the project list shows for a found project.
struct ProjectListValues {
    int recordingBitDepth = 16;   // byte 3320 * 8 + 16
    bool insertRecordingWet = false;
    int insertPosition = 0;       // byte 88
};

struct ProjectNameInfo {
    std::string name;             // trimmed; empty for files shorter than 60 bytes
    bool nameRead = false;
    ProjectListValues listValues; // only when requested and the name was read
    std::string trackSummary;     // only when requested and the name was read
};

struct TrackSummaryOptions {
    bool compact = false;
    std::vector<std::string> groups;  // parameter names; empty = none
    int trackCount = 16;
    // The value the mixer shows with the stored byte beside it where it clamps
    // one (ShownValueText); off: the bytes as the file holds them (the list).
    bool markOutOfRange = false;
};

// Reads the file named into the document's ScanData and empties it again before returning.
// Throws FileError when the file cannot be read.
ProjectNameInfo GetZDTProjectName(ZDTDocument& doc, const std::string& fileName, bool withListValues,
                                  const TrackSummaryOptions* withTrackSummary);

struct TrackParameter;
// One track's value of a parameter as the track summary appends it, with the
// separator in front where one belongs.
std::string FormatTrackValue(const Bytes& buffer, const TrackParameter& parameter, int stripIndex,
                             bool compact, const std::string& separator, bool valuesEmpty,
                             bool markOutOfRange = false);
std::string BuildTrackSummary(const Bytes& buffer, const TrackSummaryOptions& options);

}  // namespace spurwerk
