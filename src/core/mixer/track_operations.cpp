// Track-level operations of the mixer: marks, the all-strip, statuses and
// recording groups, drag and drop and the track count.

#include "mixer/track_operations.h"

#include <algorithm>
#include <stdexcept>

#include "mixer/edit_steps.h"
#include "mixer/mixer_view_model.h"
#include "mixer/strip_layout.h"
#include "project/value_format.h"
#include "settings/text_table.h"
#include "text/number_text.h"
#include "ui/dialogs.h"
#include "settings/ui_texts.h"

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

bool TrackOperations::CarriesAllStripOperation(const MixerControl& c) const {
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

std::pair<int, int> TrackOperations::TrackRange() const {
    KeyState keys = mixer_.DialogsUsed().Keys();
    int first = 1, last = controls_.TrackCount();
    if (keys.ctrl) last = 8;
    else if (keys.shift) first = 9;
    return {first, last};
}

void TrackOperations::PropagateAllStrip(MixerControl& all) {
    auto [first, last] = TrackRange();
    std::string prefix = all.element->prefix;
    allStripTargets_.clear();
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k == controls_.TrackCount() || k > controls_.MaxStripIndex() || !controls_.IsMarked(k)) continue;
        MixerControl& target = controls_.At(k, prefix);
        if (!(all.kind == ControlKind::StatusShape && all.Status() == TrackStatus::Record && track >= 9 && first == 1))
            allStripTargets_.push_back(k);
        if (all.IsCheckBox()) {
            controls_.SetValueRaising(target, all.value);
        } else if (all.IsSlider()) {
            if (k < controls_.TrackCount()) controls_.SetValueRaising(target, all.value);
            controls_.UpdateHint(target);
        } else if (all.kind == ControlKind::StatusShape) {
            // Record on all tracks arms bank 1 only; bank 2 is armed with Shift.
            if (all.Status() == TrackStatus::Record && track >= 9 && first == 1) continue;
            controls_.SetStatusColour(target, all.Status());
            ApplyStatus(target);
        }
    }
    if (all.IsSlider()) controls_.UpdateHint(all);
}

void TrackOperations::SetAllStripValue(const std::string& prefix, int value) {
    MixerControl& all = controls_.At(controls_.TrackCount(), prefix);
    if (!CarriesAllStripOperation(all)) throw std::invalid_argument("\"" + prefix + "\" is no all-strip operation");
    ZDTDocument& doc = mixer_.Document();
    DocumentStep step(doc);
    if (all.kind == ControlKind::StatusShape) {
        controls_.SetStatusColour(all, static_cast<TrackStatus>(value));
        controls_.CtrlAction(all);
    } else if (!controls_.SetValueRaising(all, value)) {
        PropagateAllStrip(all);
    }
    doc.NameStep(AllStripStepName(all, allStripTargets_));
}

void TrackOperations::ApplyRecordingGroup(MixerControl& status) {
    if (status.Status() != TrackStatus::Record) return;
    for (int other : RecordingGroupPartners(status.strip, controls_.TrackCount())) {
        MixerControl& shape = controls_.At(other, "ShStatus_");
        if (shape.Status() != TrackStatus::Record) continue;
        controls_.SetStatusColour(shape, TrackStatus::Play);
        controls_.CtrlAction(shape);
    }
}

void TrackOperations::ApplyStatus(MixerControl& status) {
    ApplyRecordingGroup(status);
    controls_.CtrlAction(status);
}

void TrackOperations::StatusMouseDown(const std::string& name) {
    MixerControl& shape = controls_.Named(name);
    if (shape.kind != ControlKind::StatusShape) return;
    // The recording group's other track turns to play in the same step.
    DocumentStep step(mixer_.Document());
    controls_.SetStatusColour(shape, NextStatus(shape.Status()));
    if (controls_.IsAllStrip(shape)) controls_.CtrlAction(shape);
    else ApplyStatus(shape);
}

void TrackOperations::SetTrackValue(int k, const std::string& prefix, int raw, const std::string& text) {
    MixerControl& c = controls_.At(k, prefix);
    switch (c.kind) {
        case ControlKind::StatusShape: controls_.SetStatusColour(c, static_cast<TrackStatus>(raw)); ApplyStatus(c); break;
        case ControlKind::FileField: controls_.SetTextRaising(c, text); break;
        default: controls_.SetValueRaising(c, SliderPosition(*c.element, raw)); break;
    }
}

void TrackOperations::TrackLabelClick(const std::string& name) {
    MixerControl& label = controls_.Named(name);
    if (label.kind != ControlKind::TrackLabel || !mixer_.DialogsUsed().Keys().ctrl) return;
    const StripState& strip = controls_.Strip(label.strip);
    controls_.SetColour(label, label.colour == colours::Blue ? strip.panelColour : colours::Blue);
    if (!controls_.IsAllStrip(label)) return;
    auto [first, last] = TrackRange();
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k != controls_.TrackCount() && k <= controls_.MaxStripIndex()) controls_.SetColour(controls_.At(k, "LabelTrackNr_"), label.colour);
    }
}

bool TrackOperations::AcceptsDrop(const std::string& source, const std::string& target) const {
    // The project name field is never dragged: only file fields and track labels take drops.
    std::string prefix = PrefixOf(source);
    if (prefix != "EDFileAss_" && prefix != "LabelTrackNr_") return false;
    if (target.rfind(prefix, 0) != 0) return false;
    try {
        const MixerControl& from = controls_.Control(source);
        const MixerControl& to = controls_.Control(target);
        for (const MixerControl* c : {&from, &to}) {
            if (c->strip > controls_.TrackCount()) return false;   // hidden strips
            if (!c->enabled || !controls_.Strip(c->strip).enabled) return false;
            // The all-strip has no settings of its own to copy or exchange.
            if (c->kind == ControlKind::TrackLabel && controls_.IsAllStrip(*c)) return false;
        }
    } catch (const std::out_of_range&) {
        return false;
    }
    return true;
}

void TrackOperations::Drop(const std::string& source, const std::string& target) {
    if (!AcceptsDrop(source, target)) return;
    MixerControl& from = controls_.Named(source);
    MixerControl& to = controls_.Named(target);
    if (to.kind == ControlKind::FileField) {
        bool copy = mixer_.DialogsUsed().Keys().ctrl;
        DocumentStep step(mixer_.Document(), TransferStepName(from.strip, to.strip, !copy, true));
        std::string former = to.text;
        controls_.SetTextRaising(to, from.text);
        if (!copy) controls_.SetTextRaising(from, former);
        return;
    }
    int answer = mixer_.DialogsUsed().Message(Txt(256) + "\r\n" + Txt(257) + " ", MessageButtons::YesNoCancel);
    if (answer == ResultYes) TransferTrack(from.strip, to.strip, false);
    else if (answer == ResultNo) TransferTrack(from.strip, to.strip, true);
}

void TrackOperations::TransferTrack(int source, int destination, bool exchange) {
    DocumentStep step(mixer_.Document(), TransferStepName(source, destination, exchange, false));
    for (const std::string& prefix : TrackTransferOrder()) {
        MixerControl& from = controls_.At(source, prefix);
        MixerControl& to = controls_.At(destination, prefix);
        if (to.kind == ControlKind::StatusShape) {
            TrackStatus former = to.Status();
            controls_.SetStatusColour(to, from.Status());
            ApplyStatus(to);
            if (exchange) {
                controls_.SetStatusColour(from, former);
                ApplyStatus(from);
            }
        } else if (to.kind == ControlKind::FileField) {
            std::string former = to.text;
            controls_.SetTextRaising(to, from.text);
            if (exchange) controls_.SetTextRaising(from, former);
        } else {
            int former = to.value;
            controls_.SetValueRaising(to, from.value);
            if (exchange) controls_.SetValueRaising(from, former);
        }
    }
}

void TrackOperations::SetTrackCountClick() {
    if (mixer_.DialogsUsed().Message(Txt(258), MessageButtons::OkCancel) != ResultOk) return;
    TimedInputRequest request;
    request.buttons = TimedOk | TimedCancel;
    request.caption = Txt(259);
    request.message = Txt(260) + std::to_string(layout::TrackCount) + "):";
    request.showInput = true;
    request.input = std::to_string(controls_.TrackCount());
    request.defaultResult = ResultOk;
    // Typing replaces the count at once, as in every input box of the program.
    request.focusInput = true;
    if (mixer_.DialogsUsed().TimedInput(request) != ResultOk) return;
    std::optional<int> count = ParseInt(request.input);
    if (!count) {
        mixer_.DialogsUsed().Message(UiTxt(UiText::NotAnInteger, request.input), MessageButtons::Ok);
        return;
    }
    SetTrackCount(std::clamp(*count, 1, layout::TrackCount));
}

void TrackOperations::SetTrackCount(int trackCount) {
    // Values clamped for the new layout are written back: one step.
    DocumentStep step(mixer_.Document(), TrackCountStepName(controls_.TrackCount(), trackCount));
    controls_.Relayout(trackCount);
    if (mixer_.Document().IsProject()) controls_.ReadAll();
    else mixer_.Menu().RebuildInfoLine();
    if (mixer_.Observer()) {
        mixer_.Observer()->TrackCountChanged(controls_.TrackCount());
        mixer_.Observer()->FitWindow(FittedClientWidth(controls_.TrackCount()));
    }
}

}  // namespace spurwerk
