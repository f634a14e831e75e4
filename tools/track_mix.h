#pragma once
// One track's mixer settings, written field by field through the layout.

#include <string>

#include "project/track_layout.h"
#include "project/zdt_document.h"

namespace spurwerk::gen {

struct BandSetting {
    bool on = false;
    int frequencyIndex = 0;
    int gainDb = 0;  // -12 .. +12
};

// The defaults are the new-project mix: playing, fader 100, centred, EQ off at
// the bands' default frequencies, sends 0 and off, no file.
struct TrackMix {
    TrackStatus status = TrackStatus::Play;
    int fader = 100;
    int pan = 50;
    int chorus = 0;
    bool chorusOn = false;
    int reverb = 0;
    bool reverbOn = false;
    bool invert = false;
    BandSetting high{false, 12, 0};
    BandSetting mid{false, 14, 0};
    int midQuality = 4;
    BandSetting low{false, 5, 0};
    std::string wavName;
};

void WriteTrackMix(ZDTDocument& doc, int stripIndex, const TrackMix& mix);

}  // namespace spurwerk::gen
