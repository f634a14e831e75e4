#include "mixer_session.h"

#include "cli_support.h"
#include "project/document_ops.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

MixerSession::MixerSession(const std::string& file, bool forChange) {
    if (forChange) lock = LockProjectFile(file);
    doc = LoadDocument(file, true);
    MixerOptions options;
    options.trackCount = layout::TrackCount;
    mixer = std::make_unique<MixerViewModel>(doc, dialogs, options);
    doc.IsLoadingZDT = true;
    mixer->DocumentLoaded(ReadProjectName(doc.ZDTData()), EffectsFileNameFor(doc.LoadedZDTFileName));
    doc.IsLoadingZDT = false;
    doc.MarkLoaded();
}

void MixerSession::RequireEnabled(int track) const {
    if (!mixer->Controls().Strip(track - 1).enabled)
        throw CommandError(CliTxt(CliText::StereoSecondTrack, {std::to_string(track), std::to_string(track - 1)}));
}

void MixerSession::Save() {
    doc.IsSavingZDT = true;
    try {
        mixer->PrepareSave();
    } catch (...) {
        doc.IsSavingZDT = false;
        throw;
    }
    doc.IsSavingZDT = false;
    SaveDocument(doc, doc.LoadedZDTFileName);
    doc.MarkSaved();
}

const TrackParameter& ParameterOrThrow(const std::string& group) {
    const TrackParameter* parameter = FindTrackParameter(group);
    if (!parameter) {
        std::string names;
        for (const auto& p : TrackParameters()) names += (names.empty() ? "" : ", ") + p.name;
        throw CommandError(CliTxt(CliText::UnknownGroupList, {group, names}));
    }
    return *parameter;
}

}  // namespace spurwerk::cli
