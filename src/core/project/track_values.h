#pragma once
// Track parameter values in the text form the compact track summary shows
// ("R", "X", "L20", "-6", "8000", "0.5", "GIT_C.WAV"), parsed and written.

#include <optional>
#include <string>

#include "project/track_layout.h"

namespace spurwerk {

struct TrackValue {
    int raw = 0;            // byte value; status 0 off, 1 play, 2 record; boxes 0/1
    std::string name;       // file assignment only
};

// Parses `text` for the parameter; on failure returns nullopt and sets `error`
// to a message naming the accepted values.
std::optional<TrackValue> ParseTrackValue(const TrackParameter& parameter, const std::string& text,
                                          std::string& error);

// Writes the value into the document through the layout's encoding.
void WriteTrackValue(ZDTDocument& doc, const TrackParameter& parameter, int stripIndex, const TrackValue& value);

// Arming a track turns every other armed track of its recording group (same
// number modulo 8, below trackCount) to play.
void ApplyRecordingGroup(ZDTDocument& doc, int stripIndex, int trackCount);

}  // namespace spurwerk
