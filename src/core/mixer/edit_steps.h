#pragma once
// Names of the mixer's undo steps, in the language in use:
// "Fader Track 3: 90 → 100", "Alle Tracks: Status R", "Track 2 → Track 5 kopiert".

#include <string>

#include "mixer/mixer_control.h"
#include "project/undo_history.h"

namespace spurwerk {

// A control's value in the document as the compact track summary writes it.
std::string StepValueText(const Bytes& document, const MixerControl& control);
// One control changed from `from` to `to`; a slider's changes in a row merge.
StepName ControlStepName(const MixerControl& control, const std::string& from, const std::string& to);
// The all-strip's control set every marked track.
StepName AllStripStepName(const MixerControl& control);
// A drag of a track label (all settings) or of a file field (the WAV name).
StepName TransferStepName(int sourceStrip, int targetStrip, bool exchange, bool fileOnly);
StepName TrackCountStepName(int from, int to);
// A menu command named by its question's text ("Eine Marke am Projekt-Ende setzen?").
StepName CommandStepName(int questionText);

}  // namespace spurwerk
