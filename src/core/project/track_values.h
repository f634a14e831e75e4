#pragma once
// A track's parameter values as the file holds them, and the text forms of
// the compact track summary ("R", "X", "L20", "-6", "8000", "0.5",
// "GIT_C.WAV") parsed back into them.

#include <optional>
#include <string>

#include "project/track_layout.h"

namespace spurwerk {

struct TrackValue {
    int raw = 0;            // see value_format.h
    std::string name;       // file assignment only
};

// The raw value of the parameter on strip k, as the file holds it (not
// clamped); 0 for a file name.
int ReadTrackRaw(const Bytes& buffer, const StripElement& element, int stripIndex);

// Parses `text` for the parameter; on failure returns nullopt and sets `error`
// to a message naming the accepted values.
std::optional<TrackValue> ParseTrackValue(const TrackParameter& parameter, const std::string& text,
                                          std::string& error);

// Writes the value into the document through the layout's encoding.
void WriteTrackValue(ZDTDocument& doc, const TrackParameter& parameter, int stripIndex, const TrackValue& value);

// Arming a track turns the armed tracks of its recording group to play.
void ApplyRecordingGroup(ZDTDocument& doc, int stripIndex, int trackCount);

}  // namespace spurwerk
