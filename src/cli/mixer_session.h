#pragma once
// A project loaded into the mixer view-model, as the window holds it, so that
// commands change values by the window's rules and save the way it saves.

#include <memory>
#include <string>

#include "cli_dialogs.h"
#include "mixer/mixer_view_model.h"
#include "project/project_session.h"
#include "project/track_layout.h"

namespace spurwerk::cli {

class MixerSession {
public:
    // Loads the project (refusing files shorter than a project) with 16 tracks;
    // `forChange` holds the file's lock until the session ends.
    explicit MixerSession(const std::string& file, bool forChange = true);

    ProjectSession project;
    ZDTDocument& doc = project.doc;
    CliDialogs dialogs;
    std::unique_ptr<MixerViewModel> mixer;

    // Refuses a track whose strip the window shows disabled (second track of a stereo link).
    void RequireEnabled(int track) const;
    // Cleans the WAV names, writes every control into the document and saves it.
    void Save();
};

// The parameter named by a group ("Fader", "EQxM[v]", ...) or a CommandError listing them.
const TrackParameter& ParameterOrThrow(const std::string& group);

}  // namespace spurwerk::cli
