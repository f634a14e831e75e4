#pragma once
// The mixer window without widgets. It owns the window's parts: the controls
// bound to the project document, the track operations, the stereo links and
// file assignment, and the menu with the information line. A front end shows
// the controls, forwards user input to the parts and repaints what the
// observer reports.

#include <string>

#include "mixer/file_assignment.h"
#include "mixer/mixer_controls.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/mixer_menu.h"
#include "mixer/track_operations.h"
#include "project/document_ops.h"

namespace spurwerk {

class Dialogs;

class MixerViewModel : public DocumentHost {
public:
    // Creates the window's controls: strips 0 .. maximum strip index, the R24
    // fallback (its message through dialogs), parameter tags, info line.
    MixerViewModel(ProjectSession& session, Dialogs& dialogs, MixerOptions options, MixerActions* actions = nullptr);
    ~MixerViewModel() override;
    MixerViewModel(const MixerViewModel&) = delete;
    MixerViewModel& operator=(const MixerViewModel&) = delete;

    void SetObserver(MixerObserver* observer) { context_.observer = observer; }
    MixerObserver* Observer() const { return context_.observer; }
    void SetActions(MixerActions* actions);

    MixerControls& Controls() { return controls_; }
    const MixerControls& Controls() const { return controls_; }
    TrackOperations& Tracks() { return tracks_; }
    FileAssignment& Files() { return files_; }
    const FileAssignment& Files() const { return files_; }
    MixerMenu& Menu() { return menu_; }
    const MixerMenu& Menu() const { return menu_; }

    const MixerOptions& Options() const { return context_.options; }
    ZDTDocument& Document() { return context_.doc; }
    ProjectSession& Session() { return context_.session; }
    Dialogs& DialogsUsed() { return context_.dialogs; }
    MixerActions& Actions() { return *context_.actions; }

    void DocumentLoaded(const std::string& projectName, const std::string& effectsFile) override;
    void PrepareSave() override;
    // After an undo or redo: every control, the WAV list and the info line from the bytes.
    void ShowRestoredDocument();
    // After a language change: the texts made from the text table (WAV list
    // header, information line, effect labels) in the new language.
    void TextsChanged();

private:
    MixerActions defaultActions_;
    MixerContext context_;
    MixerControls controls_{context_};
    TrackOperations tracks_{context_, controls_};
    FileAssignment files_{context_, controls_};
    MixerMenu menu_{context_};
    int documentToken_ = 0;
};

}  // namespace spurwerk
