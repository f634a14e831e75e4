#pragma once
// The words of the mixer's undo steps as the window names things, in the
// language in use: "Track 3: EQ Mitte 0 dB → +4 dB", "Tracks 1–8: Chorus an",
// "Track 5: Datei TRACK01.WAV → TRACK03.WAV".

#include <string>
#include <vector>

#include "project/track_layout.h"

namespace spurwerk {

// The name of the value a strip element shows ("Fader", "EQ Mitte"); the
// element's prefix for one that shows none.
std::string ParameterCaption(const StripElement& element);
// A raw value in the form and unit the window shows: "+4 dB", "L20", "C",
// "8000 Hz", "0.5", "100", "an", "Aufnahme".
std::string CaptionValue(ValueFormat format, int raw);
// The tracks a step changed (strip indices): "Track 3", "Tracks 1–8",
// "Tracks 1, 3, 9–16"; "Master" for the master strip `masterStrip`.
std::string TracksCaption(std::vector<int> strips, int masterStrip = -1);

}  // namespace spurwerk
