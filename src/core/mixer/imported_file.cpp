#include "mixer/imported_file.h"

#include "mixer/mixer_view_model.h"
#include "mixer/step_captions.h"
#include "project/track_values.h"
#include "settings/ui_texts.h"

namespace spurwerk {

int ImportStrip(int stripIndex, int channels) { return channels == 2 ? stripIndex - stripIndex % 2 : stripIndex; }

void AssignImportedFile(MixerViewModel& mixer, int stripIndex, const std::string& fileName, int channels) {
    const int strip = ImportStrip(stripIndex, channels);
    MixerControls& controls = mixer.Controls();
    if (channels != 2 && controls.IsLocked(controls.At(strip, Element::FileAss))) throw TrackLocked(strip);
    const StepName name{TracksCaption(channels == 2 ? std::vector<int>{strip, strip + 1} : std::vector<int>{strip}) +
                            ": " + UiTxt(UiText::StepImported),
                        "", fileName, false};
    DocumentStep step(mixer.Document(), name);
    if (channels == 2 && !controls.At(strip, Element::Stereo).Checked())
        mixer.Tracks().SetTrackValue(strip, Element::Stereo, 1, "");
    mixer.Tracks().SetTrackValue(strip, Element::FileAss, 0, fileName);
    mixer.Document().NameStep(name);
}

}  // namespace spurwerk
