#pragma once
// The track codec: the one reader and writer of a track's values and the rules
// that decide whether a write is taken and what it spreads to (the stereo
// lock, the recording group, clamping). The mixer and every command that
// changes a track call it. Also the text forms of the compact track summary
// ("R", "X", "L20", "-6", "8000", "0.5", "GIT_C.WAV") parsed back into values.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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

// Writes the value into the document through the layout's encoding, held in
// what its control can show (boxes 0/1, sliders their range). Bytes only: no
// rule is applied (the window writing back what it shows).
void WriteTrackValue(ZDTDocument& doc, const TrackParameter& parameter, int stripIndex, const TrackValue& value);
void WriteTrackValue(ZDTDocument& doc, const StripElement& element, int stripIndex, const TrackValue& value);

// The second track of a linked stereo pair among `trackCount` tracks (the
// all-strip is nobody's partner): its settings follow the pair's first track,
// so no edit of that track is taken.
bool IsStereoLocked(const Bytes& buffer, int stripIndex, int trackCount);

// An edit refused because its track is locked by a stereo link.
class TrackLocked : public std::runtime_error {
public:
    explicit TrackLocked(int stripIndex);
    int stripIndex;
};

// Arming a track turns the armed tracks of its recording group to play;
// returns the strips turned.
std::vector<int> ApplyRecordingGroup(ZDTDocument& doc, int stripIndex, int trackCount);

// A user's edit of one value of a track: refused with TrackLocked on the
// locked track of a stereo pair; arming it disarms its recording group.
// `links` are the bytes whose stereo links decide the lock (by default the
// document's; a batch of edits passes the bytes it started from, so that a
// pair it links itself, as a carried mix does, keeps its second track's
// values). Returns the other strips the edit changed.
std::vector<int> EditTrackValue(ZDTDocument& doc, const StripElement& element, int stripIndex,
                                const TrackValue& value, int trackCount, const Bytes* links = nullptr);

}  // namespace spurwerk
