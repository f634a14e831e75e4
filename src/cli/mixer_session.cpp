#include "mixer_session.h"

#include "cli_support.h"
#include "project/document_ops.h"
#include "project/track_values.h"
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
    if (IsStereoLocked(doc.ZDTData(), track - 1, mixer->Controls().TrackCount()))
        throw TrackLocked(track - 1);
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
