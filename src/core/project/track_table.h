#pragma once
// The track parameters as a table for a person at a terminal: one row per
// parameter with its unit in the caption, one column per track. Values are
// those the mixer shows, with the stored byte beside a clamped one.

#include <cstddef>
#include <string>
#include <vector>

#include "text/bytes.h"

namespace spurwerk {

struct TrackTableOptions {
    std::vector<std::string> groups;  // parameter names in row order; unknown names are skipped
    int trackCount = 16;
    std::string trackCaption = "Track";  // the caption of the header row
    // The widest line wanted (a terminal's columns); 0: no limit. A wider table
    // is split into blocks of tracks (the mixer's banks of 8, then 4, ...).
    std::size_t maxWidth = 0;
};

// The lines of the table (blocks separated by an empty line), no line breaks inside.
std::vector<std::string> BuildTrackTable(const Bytes& buffer, const TrackTableOptions& options);

}  // namespace spurwerk
