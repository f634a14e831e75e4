#pragma once
// One track's parameters read for reports: the stored byte, the value the
// mixer shows (clamped into the control's range) and that value in its unit.

#include <string>
#include <vector>

#include "project/track_layout.h"

namespace spurwerk {

struct TrackReading {
    const TrackParameter* parameter = nullptr;
    int raw = 0;              // the stored byte; status 0 off, 1 play, 2 record; mask boxes 0/1
    int position = 0;         // raw clamped into the control's range
    bool outOfRange = false;  // position != raw
    double value = 0;         // pan -100..100 (0 centre), gains in dB, Hz, quality 0.1..1.0, levels
    std::string name;         // file field: the assigned WAV name
};

// Every parameter of the track, in the order of TrackParameters().
std::vector<TrackReading> ReadTrackRecord(const Bytes& buffer, int stripIndex);

}  // namespace spurwerk
