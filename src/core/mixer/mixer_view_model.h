#pragma once
// The mixer window without widgets: one record per control in component order,
// the common change handler CtrlAction, reading and writing the project
// document, track operations, the WAV list and the top panel's texts. A front
// end shows the controls, forwards user input to the methods below and repaints
// what the observer reports.

#include <cstdint>
#include <string>
#include <vector>

#include "mixer/mixer_control.h"
#include "mixer/mixer_hints.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/popup_menu.h"
#include "mixer/wav_list.h"
#include "project/document_ops.h"
#include "project/value_texts.h"

namespace spurwerk {

class Dialogs;

struct StripState {
    Colour panelColour = colours::Black;
    bool enabled = true;
    bool visible = true;
    int left = 0;
};

enum class MixerKey { F1, L, S, Other };

class MixerViewModel : public DocumentHost {
public:
    // Creates the window's controls: strips 0 .. maximum strip index, the R24
    // fallback (its message through dialogs), parameter tags, info line.
    MixerViewModel(ZDTDocument& doc, Dialogs& dialogs, MixerOptions options, MixerActions* actions = nullptr);
    ~MixerViewModel() override;
    MixerViewModel(const MixerViewModel&) = delete;
    MixerViewModel& operator=(const MixerViewModel&) = delete;

    void SetObserver(MixerObserver* observer) { observer_ = observer; }
    void SetActions(MixerActions* actions);

    // --- Controls --------------------------------------------------------------------
    const std::vector<MixerControl>& Controls() const { return controls_; }
    // Throws std::out_of_range for an unknown name.
    const MixerControl& Control(const std::string& name) const;
    const MixerControl& At(int stripIndex, const std::string& prefix) const;
    const StripState& Strip(int stripIndex) const { return strips_.at(static_cast<std::size_t>(stripIndex)); }
    int TrackCount() const { return trackCount_; }
    int MaxStripIndex() const { return maxStripIndex_; }
    bool IsAllStrip(const MixerControl& control) const;
    bool IsMarked(int stripIndex) const;
    const MixerOptions& Options() const { return options_; }
    ZDTDocument& Document() { return doc_; }
    Dialogs& DialogsUsed() { return dialogs_; }
    MixerActions& Actions() { return *actions_; }
    // The 20 names handed to the project list window, from the controls in component order.
    std::vector<std::string> ListTrackParameters() const;
    std::string AllStripHint() const;

    // --- Values, as a user or the program sets them. Each raises CtrlAction
    // exactly when the value changes; returns whether it changed. ---------------------
    bool SetPosition(const std::string& name, int position);   // clamped to the range
    bool SetChecked(const std::string& name, bool checked);
    bool SetText(const std::string& name, const std::string& text);
    bool ToggleCheckBox(const std::string& name) { return SetChecked(name, !Control(name).Checked()); }
    // Gives the all-strip's control of `prefix` this value (raw slider position,
    // 0/1, or TrackStatus) and propagates it even when the value was already there.
    void SetAllStripValue(const std::string& prefix, int value);
    // Sets a track's parameter as the window would, from a raw document value
    // (EQ gain raw 0..24, status 0 off / 1 play / 2 record).
    void SetTrackValue(int stripIndex, const std::string& prefix, int raw, const std::string& text);

    // --- User events ------------------------------------------------------------------
    void StatusMouseDown(const std::string& name);      // ShArrMouseDown
    void TrackLabelClick(const std::string& name);      // LabelTrackNrClick
    void PanelClick();                                  // PanelClient, PanelBottom
    bool AcceptsDrop(const std::string& source, const std::string& target) const;  // AnyCtrlDragOver
    void Drop(const std::string& source, const std::string& target);              // AnyCtrlDragDrop
    void SetTrackCountClick();                          // ButtonSetTrackCountClick
    void SetTrackCount(int trackCount);                 // steps 4-6 of it
    bool KeyDown(MixerKey key);                         // true: consumed
    void LoadedFileLabelClick();
    void LoadedFileLabelDoubleClick();
    std::vector<PopupEntry> PopupMenu() const;          // PopupMenu1Popup
    void PopupMenuClick(const std::string& entry);      // PMAnyClick

    // --- Document ---------------------------------------------------------------------
    void ReadAllControls();
    void WriteAllControls();
    void NormalizeTrackWavNames();
    void DocumentLoaded(const std::string& projectName, const std::string& effectsFile) override;
    void PrepareSave() override;
    void Relayout(int trackCount);
    void UpdateAllHints();
    // After an undo or redo: every control, the WAV list and the info line from the bytes.
    void ShowRestoredDocument();

    // --- WAV list, info line, effect labels ------------------------------------------
    void BuildWavList();
    const WavList& WavFiles() const { return wavList_; }
    std::string AudioFolder() const;                    // empty without a loaded file
    std::vector<std::string> Assignments() const;       // file fields 0 .. track count
    std::int32_t RecordingEnd() const { return recordingEnd_; }
    void RebuildInfoLine();
    const ProjectInfoTexts& InfoTexts() const { return infoTexts_; }
    void SetLabelEFXs(const std::string& efxPath);
    const EffectLabels& Effects() const { return effects_; }
    static Colour EffectLabelColour(const std::string& text);

private:
    MixerControl& Ctl(int stripIndex, std::size_t specIndex);
    MixerControl& Ctl(int stripIndex, const std::string& prefix);
    MixerControl& Named(const std::string& name);
    std::size_t SpecIndex(const std::string& prefix) const;
    void Notify(const MixerControl& control, unsigned aspects);
    void NotifyStrip(int stripIndex);

    void BuildStrip(int stripIndex);
    void AssignParameterTags();
    bool SetValueRaising(MixerControl& control, int value);
    bool SetTextRaising(MixerControl& control, const std::string& text);
    void SetStatusColour(MixerControl& control, TrackStatus status);
    void SetColour(MixerControl& control, Colour colour);

    void CtrlAction(MixerControl& control);
    void WriteControlValue(MixerControl& control);
    void ReadControlValue(MixerControl& control);
    void UpdateControlHint(MixerControl& control);
    void ColourCheckBox(MixerControl& box);
    void ApplyStereoLink(int stripIndex, bool linked, bool refresh);
    int AltReset(MixerControl& slider);

    bool CarriesAllStripOperation(const MixerControl& control) const;
    void PropagateAllStrip(MixerControl& allControl);
    std::pair<int, int> TrackRange();
    void ApplyRecordingGroup(MixerControl& status);
    void ApplyStatus(MixerControl& status);
    void TransferTrack(int source, int destination, bool exchange);
    void RefreshFieldColours();

    ZDTDocument& doc_;
    Dialogs& dialogs_;
    MixerOptions options_;
    MixerActions defaultActions_;
    MixerActions* actions_;
    MixerObserver* observer_ = nullptr;

    std::vector<MixerControl> controls_;  // [0] EditProjName, then strip by strip
    std::vector<StripState> strips_;
    int trackCount_ = 16;
    int maxStripIndex_ = 16;
    bool changeHandling_ = false;          // the change handling switch
    bool bulk_ = false;                    // reading or writing all controls

    WavList wavList_;
    std::int32_t recordingEnd_ = 0;
    ProjectInfoTexts infoTexts_;
    EffectLabels effects_;
    int documentToken_ = 0;
};

}  // namespace spurwerk
