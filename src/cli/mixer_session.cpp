#include "mixer_session.h"

#include "cli_support.h"
#include "project/document_ops.h"

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
        throw CommandError("track " + std::to_string(track) + " is the second track of a stereo link (tracks " +
                           std::to_string(track - 1) + "+" + std::to_string(track) +
                           "); the window keeps its settings locked");
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
        throw CommandError("unknown group \"" + group + "\"; the groups are: " + names);
    }
    return *parameter;
}

}  // namespace spurwerk::cli
