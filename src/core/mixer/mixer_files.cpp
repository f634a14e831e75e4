// The mixer's side of the project files: the WAV list and field colours, WAV
// name cleaning before a save, load/save hooks, info line and effect labels.

#include "mixer/mixer_view_model.h"
#include "project/project_info.h"

namespace spurwerk {

std::string MixerViewModel::AudioFolder() const {
    return doc_.LoadedZDTFileName.empty() ? "" : AudioFolderOf(doc_.LoadedZDTFileName);
}

std::vector<std::string> MixerViewModel::Assignments() const {
    std::vector<std::string> names;
    for (int k = 0; k <= trackCount_; ++k) names.push_back(At(k, "EDFileAss_").text);
    return names;
}

void MixerViewModel::BuildWavList() {
    wavList_ = spurwerk::BuildWavList(AudioFolder(), Assignments(), options_.showListSize);
    recordingEnd_ = wavList_.recordingEnd;
    if (!AudioFolder().empty()) RefreshFieldColours();
    if (observer_) observer_->WavListChanged();
}

void MixerViewModel::RefreshFieldColours() {
    for (int k = 0; k <= trackCount_; ++k) {
        MixerControl& field = Ctl(k, "EDFileAss_");
        bool found = static_cast<std::size_t>(k) < wavList_.found.size() && wavList_.found[static_cast<std::size_t>(k)];
        SetColour(field, FileFieldColour(field.enabled, field.text, found, ContainsFileName(wavList_.files, field.text)));
    }
}

void MixerViewModel::NormalizeTrackWavNames() {
    std::vector<std::string> names = Assignments();
    std::vector<std::string> cleaned = spurwerk::NormalizeTrackWavNames(names, dialogs_);
    for (int k = 0; k <= trackCount_; ++k) SetTextRaising(Ctl(k, "EDFileAss_"), cleaned[static_cast<std::size_t>(k)]);
}

void MixerViewModel::DocumentLoaded(const std::string&, const std::string& effectsFile) {
    if (doc_.IsProject()) ReadAllControls();
    else BuildWavList();
    RebuildInfoLine();
    SetLabelEFXs(effectsFile);
}

void MixerViewModel::PrepareSave() {
    // The controls hold a project only when one was read into them; a shorter
    // file is saved as it is.
    if (!doc_.IsProject()) return;
    NormalizeTrackWavNames();
    WriteAllControls();
}

void MixerViewModel::RebuildInfoLine() {
    infoTexts_ = BuildProjectInfoTexts(doc_.ZDTData(), doc_.LoadedZDTFileName, recordingEnd_);
    if (observer_) observer_->InfoChanged();
}

void MixerViewModel::SetLabelEFXs(const std::string& efxPath) {
    effects_ = ReadEffectLabels(efxPath, doc_.ReadByte(layout::InsertPositionOffset));
    if (observer_) observer_->InfoChanged();
}

Colour MixerViewModel::EffectLabelColour(const std::string& text) {
    return !text.empty() && text[0] == '(' ? colours::Window : colours::Red;
}

}  // namespace spurwerk
