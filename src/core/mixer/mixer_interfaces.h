#pragma once
// What the mixer view-model needs from the application: its options, a front
// end that repaints what changed, and the actions that belong to other windows.

#include <string>
#include <vector>

#include "mixer/mixer_control.h"

namespace spurwerk {

// Option values the mixer works with (taken from the options file by the caller).
struct MixerOptions {
    int trackCount = 16;                 // ActMaxTrackIdx
    bool devIsZoomR24 = false;           // DevIsZoomR24
    bool reverseEqualizerToLMH = false;  // ReverseEqualizerToLMH
    bool showListSize = false;           // ShowListSize
    std::vector<std::string> suggestions;  // the suggestion list; empty: the built-in one
    std::string suggestionFile;          // its file name, for the template box's hint
    std::string wavHistoryFile;
};

// A front end subscribes to learn what to repaint. Every method has an empty default.
class MixerObserver {
public:
    virtual ~MixerObserver() = default;
    // `aspects` is a set of ControlAspect bits.
    virtual void ControlChanged(const MixerControl& control, unsigned aspects) { (void)control, (void)aspects; }
    // Strip panel colour, enabled state or visibility changed.
    virtual void StripChanged(int stripIndex) { (void)stripIndex; }
    // Strips were laid out again (track count, panel widths, stereo box visibility).
    virtual void LayoutChanged(int trackCount) { (void)trackCount; }
    // A slider's hint should pop up beside it at once.
    virtual void ShowHintNow(const MixerControl& control) { (void)control; }
    virtual void WavListChanged() {}
    // Information line, its hints, the quick-save hints or the effect labels changed.
    virtual void InfoChanged() {}
    // The window should take this client width (all strips visible).
    virtual void FitWindow(int clientWidth) { (void)clientWidth; }
    // The track count changed through the window (to be kept as ActMaxTrackIdx).
    virtual void TrackCountChanged(int trackCount) { (void)trackCount; }
    // The notifications between these two lead through passing states (a
    // relayout resets every strip before the values are read back); showing
    // the end state once is enough.
    virtual void ChangesBegin() {}
    virtual void ChangesEnd() {}
};

// Actions of other windows that the mixer's menu, labels and keys start.
class MixerActions {
public:
    virtual ~MixerActions() = default;
    virtual void OpenProjectFile() {}                                   // LoadZDTFile with the file dialog
    virtual void SearchInSubDirs() {}                                   // ButtonSearchInSubDirs
    virtual void QuickSave(const std::string& fileName, int messageTimeMs) { (void)fileName, (void)messageTimeMs; }
    virtual void SaveAsProject(int messageTimeMs) { (void)messageTimeMs; }
    virtual void CopyProject() {}                                       // ButtonCopyAProjectFromTo
    virtual void CreateSeries() {}                                      // ButtonSaveZDTFileSerie
    virtual void SetEndMarksInSubDirs() {}
    // With `reportFirst` the list of existing and missing files comes first (OK/Cancel).
    virtual void CreateMissingWavFiles(const std::string& audioFolder, bool reportFirst) {
        (void)audioFolder, (void)reportFirst;
    }
    virtual void ShowProjectName(const std::string& name) { (void)name; }
    virtual void ShowInformation() {}                                   // F1
    virtual void ShowTrackView() {}
};

class Dialogs;
class ZDTDocument;
class ProjectSession;
class MixerControls;
class TrackOperations;
class FileAssignment;
class MixerMenu;

// What the parts of the mixer share: the document, the front end's services
// and each other. The view-model owns it and its parts; a part reaches the
// others only through it, never through the view-model.
struct MixerContext {
    ProjectSession& session;
    ZDTDocument& doc;  // the session's
    Dialogs& dialogs;
    MixerOptions options;
    MixerActions* actions = nullptr;
    MixerObserver* observer = nullptr;
    MixerControls* controls = nullptr;
    TrackOperations* tracks = nullptr;
    FileAssignment* files = nullptr;
    MixerMenu* menu = nullptr;
};

}  // namespace spurwerk
