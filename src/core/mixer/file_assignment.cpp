#include "mixer/file_assignment.h"

#include "io/path_text.h"
#include "mixer/mixer_controls.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/mixer_menu.h"
#include "mixer/strip_layout.h"
#include "mixer/track_operations.h"
#include "project/document_ops.h"
#include "project/project_info.h"
#include "project/zdt_document.h"
#include "ui/dialogs.h"

namespace spurwerk {

void FileAssignment::ApplyStereoLink(int k, bool linked, bool refresh) {
    // The link is one bit per pair: both boxes show it, so writing either keeps it.
    for (int box = k & ~1; box <= (k | 1) && box <= controls_.MaxStripIndex(); ++box) {
        MixerControl& stereo = controls_.At(box, Element::Stereo);
        if (stereo.value != static_cast<int>(linked)) {
            stereo.value = linked;
            controls_.Notify(stereo, AspectValue);
        }
    }
    int partner = k | 1;
    int trackCount = controls_.TrackCount();
    // The all-strip is nobody's partner, even when the track count is odd.
    if (k < trackCount && partner < trackCount) {
        MixerControl& field = controls_.At(partner, Element::FileAss);
        if (field.enabled == linked) {
            field.enabled = !linked;
            controls_.Notify(field, AspectEnabled);
        }
        StripState& s = controls_.MutableStrip(partner);
        Colour colour = linked ? colours::Maroon : StripPanelColour(partner, false);
        if (s.enabled == linked || !(s.panelColour == colour)) {
            s.enabled = !linked;
            s.panelColour = colour;
            controls_.NotifyStrip(partner);
        }
    }
    if (refresh) BuildWavList();
}

std::string FileAssignment::AudioFolder() const {
    const std::string& loaded = mixer_.session.LoadedZDTFileName;
    return loaded.empty() ? "" : AudioFolderOf(loaded);
}

std::vector<std::string> FileAssignment::Assignments() const {
    std::vector<std::string> names;
    for (int k = 0; k <= controls_.TrackCount(); ++k) names.push_back(controls_.Control(k, Element::FileAss).text);
    return names;
}

std::string FileAssignment::WavListPath(int line) const {
    if (line < 1 || line > static_cast<int>(wavList_.files.size())) return "";
    return PathText(PathFromText(AudioFolder()) / PathFromText(wavList_.files[static_cast<std::size_t>(line - 1)]));
}

void FileAssignment::BuildWavList() {
    wavList_ = spurwerk::BuildWavList(AudioFolder(), Assignments(), mixer_.options.showListSize);
    if (!AudioFolder().empty()) RefreshFieldColours();
    if (MixerObserver* observer = mixer_.observer) observer->WavListChanged();
}

void FileAssignment::RefreshFieldColours() {
    // The master's field keeps its own colour: green whenever it holds a name.
    for (int k = 0; k < controls_.TrackCount(); ++k) {
        MixerControl& field = controls_.At(k, Element::FileAss);
        bool found = static_cast<std::size_t>(k) < wavList_.found.size() && wavList_.found[static_cast<std::size_t>(k)];
        controls_.SetColour(field, FileFieldColour(field.enabled, field.text, found, ContainsFileName(wavList_.files, field.text)));
    }
}

void FileAssignment::NormalizeTrackWavNames() {
    std::vector<std::string> cleaned = spurwerk::NormalizeTrackWavNames(Assignments(), mixer_.dialogs);
    for (int k = 0; k <= controls_.TrackCount(); ++k)
        controls_.SetTextRaising(controls_.At(k, Element::FileAss), cleaned[static_cast<std::size_t>(k)]);
}

}  // namespace spurwerk
