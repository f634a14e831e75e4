// Track-level operations of the mixer: marks, the all-strip, statuses and
// recording groups, drag and drop, the track count, keys and the top panel.

#include <algorithm>

#include "mixer/edit_steps.h"
#include "mixer/mixer_view_model.h"
#include "mixer/strip_layout.h"
#include "project/value_format.h"
#include "project/play_marks.h"
#include "settings/text_table.h"
#include "text/number_text.h"
#include "ui/dialogs.h"

namespace spurwerk {

namespace {

std::string PrefixOf(const std::string& name) {
    std::size_t underscore = name.find('_');
    return underscore == std::string::npos ? "" : name.substr(0, underscore + 1);
}

TrackStatus NextStatus(TrackStatus status) {
    // grey -> red -> green -> grey
    switch (status) {
        case TrackStatus::Off: return TrackStatus::Record;
        case TrackStatus::Record: return TrackStatus::Play;
        default: return TrackStatus::Off;
    }
}

}  // namespace

bool MixerViewModel::CarriesAllStripOperation(const MixerControl& c) const {
    switch (c.kind) {
        case ControlKind::StatusShape:
        case ControlKind::StereoBox:
        case ControlKind::BandBox:
        case ControlKind::SendBox:
        case ControlKind::InvertBox:
        case ControlKind::GainSlider:
        case ControlKind::Slider: return true;
        default: return false;
    }
}

std::pair<int, int> MixerViewModel::TrackRange() {
    KeyState keys = dialogs_.Keys();
    int first = 1, last = trackCount_;
    if (keys.ctrl) last = 8;
    else if (keys.shift) first = 9;
    return {first, last};
}

void MixerViewModel::PropagateAllStrip(MixerControl& all) {
    auto [first, last] = TrackRange();
    std::string prefix = all.element->prefix;
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k == trackCount_ || k > maxStripIndex_ || !IsMarked(k)) continue;
        MixerControl& target = Ctl(k, prefix);
        if (all.IsCheckBox()) {
            SetValueRaising(target, all.value);
        } else if (all.IsSlider()) {
            if (k < trackCount_) SetValueRaising(target, all.value);
            UpdateControlHint(target);
        } else if (all.kind == ControlKind::StatusShape) {
            // Record on all tracks arms bank 1 only; bank 2 is armed with Shift.
            if (all.Status() == TrackStatus::Record && track >= 9 && first == 1) continue;
            SetStatusColour(target, all.Status());
            ApplyStatus(target);
        }
    }
    if (all.IsSlider()) UpdateControlHint(all);
}

void MixerViewModel::SetAllStripValue(const std::string& prefix, int value) {
    MixerControl& all = Ctl(trackCount_, prefix);
    if (!CarriesAllStripOperation(all)) throw std::invalid_argument("\"" + prefix + "\" is no all-strip operation");
    DocumentStep step(doc_);
    if (all.kind == ControlKind::StatusShape) {
        SetStatusColour(all, static_cast<TrackStatus>(value));
        CtrlAction(all);
    } else if (!SetValueRaising(all, value)) {
        PropagateAllStrip(all);
    }
    doc_.NameStep(AllStripStepName(all));
}

void MixerViewModel::ApplyRecordingGroup(MixerControl& status) {
    if (status.Status() != TrackStatus::Record) return;
    int k = status.strip;
    for (int other = k % 8; other < trackCount_; other += 8) {
        if (other == k) continue;
        MixerControl& shape = Ctl(other, "ShStatus_");
        if (shape.Status() != TrackStatus::Record) continue;
        SetStatusColour(shape, TrackStatus::Play);
        CtrlAction(shape);
    }
}

void MixerViewModel::ApplyStatus(MixerControl& status) {
    ApplyRecordingGroup(status);
    CtrlAction(status);
}

void MixerViewModel::StatusMouseDown(const std::string& name) {
    MixerControl& shape = Named(name);
    if (shape.kind != ControlKind::StatusShape) return;
    // The recording group's other track turns to play in the same step.
    DocumentStep step(doc_);
    SetStatusColour(shape, NextStatus(shape.Status()));
    if (IsAllStrip(shape)) CtrlAction(shape);
    else ApplyStatus(shape);
}

void MixerViewModel::SetTrackValue(int k, const std::string& prefix, int raw, const std::string& text) {
    MixerControl& c = Ctl(k, prefix);
    switch (c.kind) {
        case ControlKind::StatusShape: SetStatusColour(c, static_cast<TrackStatus>(raw)); ApplyStatus(c); break;
        case ControlKind::FileField: SetTextRaising(c, text); break;
        default: SetValueRaising(c, SliderPosition(*c.element, raw)); break;
    }
}

void MixerViewModel::TrackLabelClick(const std::string& name) {
    MixerControl& label = Named(name);
    if (label.kind != ControlKind::TrackLabel || !dialogs_.Keys().ctrl) return;
    const StripState& strip = strips_[static_cast<std::size_t>(label.strip)];
    SetColour(label, label.colour == colours::Blue ? strip.panelColour : colours::Blue);
    if (!IsAllStrip(label)) return;
    auto [first, last] = TrackRange();
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k != trackCount_ && k <= maxStripIndex_) SetColour(Ctl(k, "LabelTrackNr_"), label.colour);
    }
}

bool MixerViewModel::AcceptsDrop(const std::string& source, const std::string& target) const {
    // The project name field is never dragged: only file fields and track labels take drops.
    std::string prefix = PrefixOf(source);
    if (prefix != "EDFileAss_" && prefix != "LabelTrackNr_") return false;
    if (target.rfind(prefix, 0) != 0) return false;
    try {
        const MixerControl& from = Control(source);
        const MixerControl& to = Control(target);
        for (const MixerControl* c : {&from, &to}) {
            if (c->strip > trackCount_) return false;   // hidden strips
            if (!c->enabled || !strips_[static_cast<std::size_t>(c->strip)].enabled) return false;
            // The all-strip has no settings of its own to copy or exchange.
            if (c->kind == ControlKind::TrackLabel && IsAllStrip(*c)) return false;
        }
    } catch (const std::out_of_range&) {
        return false;
    }
    return true;
}

void MixerViewModel::Drop(const std::string& source, const std::string& target) {
    if (!AcceptsDrop(source, target)) return;
    MixerControl& from = Named(source);
    MixerControl& to = Named(target);
    if (to.kind == ControlKind::FileField) {
        bool copy = dialogs_.Keys().ctrl;
        DocumentStep step(doc_, TransferStepName(from.strip, to.strip, !copy, true));
        std::string former = to.text;
        SetTextRaising(to, from.text);
        if (!copy) SetTextRaising(from, former);
        return;
    }
    int answer = dialogs_.Message(Txt(256) + "\r\n" + Txt(257) + " ", MessageButtons::YesNoCancel);
    if (answer == ResultYes) TransferTrack(from.strip, to.strip, false);
    else if (answer == ResultNo) TransferTrack(from.strip, to.strip, true);
}

void MixerViewModel::TransferTrack(int source, int destination, bool exchange) {
    DocumentStep step(doc_, TransferStepName(source, destination, exchange, false));
    for (const std::string& prefix : TrackTransferOrder()) {
        MixerControl& from = Ctl(source, prefix);
        MixerControl& to = Ctl(destination, prefix);
        if (to.kind == ControlKind::StatusShape) {
            TrackStatus former = to.Status();
            SetStatusColour(to, from.Status());
            ApplyStatus(to);
            if (exchange) {
                SetStatusColour(from, former);
                ApplyStatus(from);
            }
        } else if (to.kind == ControlKind::FileField) {
            std::string former = to.text;
            SetTextRaising(to, from.text);
            if (exchange) SetTextRaising(from, former);
        } else {
            int former = to.value;
            SetValueRaising(to, from.value);
            if (exchange) SetValueRaising(from, former);
        }
    }
}

void MixerViewModel::SetTrackCountClick() {
    if (dialogs_.Message(Txt(258), MessageButtons::OkCancel) != ResultOk) return;
    TimedInputRequest request;
    request.buttons = TimedOk | TimedCancel;
    request.caption = Txt(259);
    request.message = Txt(260) + std::to_string(layout::TrackCount) + "):";
    request.showInput = true;
    request.input = std::to_string(trackCount_);
    request.defaultResult = ResultOk;
    if (dialogs_.TimedInput(request) != ResultOk) return;
    std::optional<int> count = ParseInt(request.input);
    if (!count) {
        dialogs_.Message("'" + request.input + "' is not a valid integer value", MessageButtons::Ok);
        return;
    }
    SetTrackCount(std::clamp(*count, 1, layout::TrackCount));
}

void MixerViewModel::SetTrackCount(int trackCount) {
    // Values clamped for the new layout are written back: one step.
    DocumentStep step(doc_, TrackCountStepName(trackCount_, trackCount));
    Relayout(trackCount);
    if (doc_.IsProject()) ReadAllControls();
    else RebuildInfoLine();
    if (observer_) {
        observer_->TrackCountChanged(trackCount_);
        observer_->FitWindow(FittedClientWidth(trackCount_));
    }
}

bool MixerViewModel::KeyDown(MixerKey key) {
    KeyState keys = dialogs_.Keys();
    if (key == MixerKey::F1) {
        actions_->ShowInformation();
        return true;
    }
    if ((keys.ctrl && keys.shift && key == MixerKey::S) || (keys.ctrl && !keys.shift && key == MixerKey::L)) {
        LoadedFileLabelClick();
        return true;
    }
    return false;
}

void MixerViewModel::LoadedFileLabelClick() {
    KeyState keys = dialogs_.Keys();
    if (keys.ctrl && keys.shift) actions_->QuickSave(doc_.LoadedZDTFileName, 3000);
    else if (keys.ctrl) actions_->OpenProjectFile();
}

void MixerViewModel::LoadedFileLabelDoubleClick() { actions_->SearchInSubDirs(); }

std::vector<PopupEntry> MixerViewModel::PopupMenu() const {
    std::vector<PopupEntry> entries = BuildPopupMenu(doc_.ZDTData(), doc_.LoadedZDTFileName, recordingEnd_);
    std::string undo = UndoCaption(doc_), redo = RedoCaption(doc_);
    entries.insert(entries.begin(), {PopupEntry{"PMUndo", undo.empty() ? Txt(296) : undo, !undo.empty()},
                                     PopupEntry{"PMRedo", redo.empty() ? Txt(297) : redo, !redo.empty()}, PopupEntry{}});
    // Mark operations need a project; they would otherwise grow a short file.
    if (!doc_.IsProject())
        for (PopupEntry& e : entries)
            if (e.name == "PMSetMarkAtProjEnd" || e.name == "PMDeleteProjMarksGTRecEnd" || e.name == "PMDeleteAllProjMarks")
                e.enabled = false;
    return entries;
}

void MixerViewModel::PopupMenuClick(const std::string& entry) {
    std::vector<PopupEntry> entries = PopupMenu();
    auto it = std::find_if(entries.begin(), entries.end(), [&](const PopupEntry& e) { return e.name == entry; });
    if (it == entries.end() || !it->enabled) return;
    if (entry == "PMUndo") doc_.Undo();
    else if (entry == "PMRedo") doc_.Redo();
    else if (entry == "PMLoadZDTFile") actions_->OpenProjectFile();
    else if (entry == "PMSearchZDTFile") actions_->SearchInSubDirs();
    else if (entry == "PMQuickSaveZDTFile") actions_->QuickSave(doc_.LoadedZDTFileName, 3000);
    else if (entry == "PMQuickSaveZDTFileAs") actions_->QuickSave("", 3000);
    else if (entry == "PMSaveProject") actions_->SaveAsProject(3000);
    else if (entry == "PMCopyAProjectFromTo") actions_->CopyProject();
    else if (entry == "PMSaveZDTFileSerie") actions_->CreateSeries();
    else if (entry == "PMSetInSubDirsMarkAtProjEnd") actions_->SetEndMarksInSubDirs();
    else if (entry == "PMSetMarkAtProjEnd") {
        if (dialogs_.Message(Txt(287), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(doc_, CommandStepName(287));
        if (SetEndMark(doc_, recordingEnd_, dialogs_) == SetEndMarkResult::TableFull)
            dialogs_.Message(MarkTableFullMessage(), MessageButtons::Ok);
        RebuildInfoLine();
    } else if (entry == "PMDeleteProjMarksGTRecEnd") {
        if (dialogs_.Message(Txt(288), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(doc_, CommandStepName(288));
        DeleteMarksAfter(doc_, recordingEnd_);
        RebuildInfoLine();
    } else if (entry == "PMDeleteAllProjMarks") {
        if (dialogs_.Message(Txt(289), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(doc_, CommandStepName(289));
        DeleteAllMarks(doc_);
        RebuildInfoLine();
    }
}

}  // namespace spurwerk
