#pragma once
// Names of the mixer's undo steps, in the language in use:
// "Track 3: Fader 90 → 100", "Tracks 1–8: Status Aufnahme", "Track 2 → Track 5 kopiert".

#include <string>
#include <vector>

#include "mixer/mixer_control.h"
#include "project/undo_history.h"

namespace spurwerk {

// A control's value in the document as the window shows it ("+4 dB", "an").
std::string StepValueText(const Bytes& document, const MixerControl& control);
// One control changed from `from` to `to`; a slider's changes in a row merge.
StepName ControlStepName(const MixerControl& control, const std::string& from, const std::string& to);
// The all-strip's control set the tracks `strips` (strip indices).
StepName AllStripStepName(const MixerControl& control, const std::vector<int>& strips);
// A drag of a track label (all settings) or of a file field (the WAV name).
StepName TransferStepName(int sourceStrip, int targetStrip, bool exchange, bool fileOnly);
StepName TrackCountStepName(int from, int to);
// A menu command named by what it did (its question's text numbers 287-289).
StepName CommandStepName(int questionText);

}  // namespace spurwerk
