#include "mixer_session.h"

#include "cli_support.h"
#include "project/track_values.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

MixerSession::MixerSession(const std::string& file, bool forChange) {
    if (forChange) project.HoldLock(file);
    MixerOptions options;
    options.trackCount = layout::TrackCount;
    mixer = std::make_unique<MixerViewModel>(project, dialogs, options);
    project.SetHost(mixer.get());
    project.Load(file, {.keepHistoryIfSame = false, .check = RequireProjectFile});
}

void MixerSession::RequireEnabled(int track) const {
    if (IsStereoLocked(doc.ZDTData(), track - 1, mixer->Controls().TrackCount()))
        throw TrackLocked(track - 1);
}

void MixerSession::Save() { SaveSession(project); }

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
