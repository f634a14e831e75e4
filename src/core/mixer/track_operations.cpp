// Track-level operations of the mixer: marks, the all-strip, statuses and
// recording groups, drag and drop and the track count.

#include "mixer/track_operations.h"

#include <algorithm>
#include <stdexcept>

#include "mixer/edit_steps.h"
#include "mixer/file_assignment.h"
#include "mixer/mixer_controls.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/mixer_menu.h"
#include "mixer/strip_layout.h"
#include "project/document_ops.h"
#include "project/track_values.h"
#include "project/value_format.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"
#include "text/number_text.h"
#include "ui/dialogs.h"
#include "settings/ui_texts.h"

namespace spurwerk {

namespace {

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

std::pair<int, int> TrackOperations::TrackRange(BankRange bank) const {
    int first = 1, last = controls_.TrackCount();
    if (bank == BankRange::Bank1) last = 8;
    else if (bank == BankRange::Bank2) first = 9;
    return {first, last};
}

void TrackOperations::PropagateAllStrip(MixerControl& all, BankRange bank) {
    auto [first, last] = TrackRange(bank);
    allStripTargets_.clear();
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k == controls_.TrackCount() || k > controls_.MaxStripIndex() || !controls_.IsMarked(k)) continue;
        MixerControl& target = controls_.At(k, all.element->id);
        if (!(all.kind == ControlKind::StatusShape && all.Status() == TrackStatus::Record && track >= 9 && first == 1))
            allStripTargets_.push_back(k);
        if (all.IsCheckBox()) {
            controls_.CarryValue(target, all.value);
        } else if (all.IsSlider()) {
            if (k < controls_.TrackCount()) controls_.CarryValue(target, all.value);
            controls_.UpdateHint(target);
        } else if (all.kind == ControlKind::StatusShape) {
            // Record on all tracks arms bank 1 only; bank 2 is armed with Shift.
            if (all.Status() == TrackStatus::Record && track >= 9 && first == 1) continue;
            controls_.SetStatus(target, all.Status());
            ApplyStatus(target);
        }
    }
    if (all.IsSlider()) controls_.UpdateHint(all);
}

void TrackOperations::SetAllStripValue(Element element, int value, BankRange bank) {
    MixerControl& all = controls_.At(controls_.TrackCount(), element);
    if (!CarriesAllStripOperation(all)) throw std::invalid_argument(all.name + " is no all-strip operation");
    ZDTDocument& doc = mixer_.doc;
    DocumentStep step(doc);
    if (all.kind == ControlKind::StatusShape) {
        controls_.SetStatus(all, static_cast<TrackStatus>(value));
        PropagateAllStrip(all, bank);
    } else if (MixerControls::BankScope scope(controls_, bank); !controls_.SetValueRaising(all, value)) {
        PropagateAllStrip(all, bank);
    }
    doc.NameStep(AllStripStepName(all, allStripTargets_));
}

void TrackOperations::ApplyStatus(MixerControl& status) {
    // The recording group is the track codec's rule; the window shows what it turned.
    if (status.Status() == TrackStatus::Record && !controls_.IsAllStrip(status)) {
        DocumentStep step(mixer_.doc);
        for (int other : spurwerk::ApplyRecordingGroup(mixer_.doc, status.strip, controls_.TrackCount()))
            controls_.ShowStatus(other);
    }
    controls_.CtrlAction(status);
}

void TrackOperations::StatusMouseDown(const std::string& name, KeyState keys) {
    MixerControl& shape = controls_.Named(name);
    if (shape.kind != ControlKind::StatusShape || controls_.IsLocked(shape)) return;
    // The recording group's other track turns to play in the same step.
    DocumentStep step(mixer_.doc);
    controls_.SetStatus(shape, NextStatus(shape.Status()));
    if (controls_.IsAllStrip(shape)) {
        PropagateAllStrip(shape, BankOf(keys));
        mixer_.doc.NameStep(AllStripStepName(shape, allStripTargets_));
    } else {
        ApplyStatus(shape);
    }
}

void TrackOperations::SetTrackValue(int k, Element element, int raw, const std::string& text) {
    MixerControl& c = controls_.At(k, element);
    if (controls_.IsLocked(c)) throw TrackLocked(k);
    switch (c.kind) {
        case ControlKind::StatusShape: controls_.SetStatus(c, static_cast<TrackStatus>(raw)); ApplyStatus(c); break;
        case ControlKind::FileField: controls_.SetTextRaising(c, text); break;
        default: controls_.SetValueRaising(c, SliderPosition(*c.element, raw)); break;
    }
}

void TrackOperations::TrackLabelClick(const std::string& name, KeyState keys) {
    MixerControl& label = controls_.Named(name);
    if (label.kind != ControlKind::TrackLabel || !keys.ctrl) return;
    bool marked = !label.marked;
    controls_.SetMarked(label.strip, marked);
    if (!controls_.IsAllStrip(label)) return;
    auto [first, last] = TrackRange(BankOf(keys));
    for (int track = first; track <= last; ++track) {
        int k = track - 1;
        if (k != controls_.TrackCount() && k <= controls_.MaxStripIndex()) controls_.SetMarked(k, marked);
    }
}

bool TrackOperations::AcceptsDrop(const std::string& source, const std::string& target) const {
    // The project name field is never dragged: only file fields and track labels take drops.
    try {
        const MixerControl& from = controls_.Control(source);
        const MixerControl& to = controls_.Control(target);
        if (from.isProjectName || from.element != to.element) return false;
        if (from.kind != ControlKind::FileField && from.kind != ControlKind::TrackLabel) return false;
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

void TrackOperations::Drop(const std::string& source, const std::string& target, KeyState keys) {
    if (!AcceptsDrop(source, target)) return;
    MixerControl& from = controls_.Named(source);
    MixerControl& to = controls_.Named(target);
    if (to.kind == ControlKind::FileField) {
        bool copy = keys.ctrl;
        DocumentStep step(mixer_.doc, TransferStepName(from.strip, to.strip, !copy, true));
        std::string former = to.text;
        controls_.SetTextRaising(to, from.text);
        if (!copy) controls_.SetTextRaising(from, former);
        return;
    }
    int answer = mixer_.dialogs.Message(Txt(256) + "\r\n" + Txt(257) + " ", MessageButtons::YesNoCancel);
    if (answer == ResultYes) TransferTrack(from.strip, to.strip, false);
    else if (answer == ResultNo) TransferTrack(from.strip, to.strip, true);
}

void TrackOperations::TransferTrack(int source, int destination, bool exchange) {
    DocumentStep step(mixer_.doc, TransferStepName(source, destination, exchange, false));
    for (Element element : TrackTransferOrder()) {
        MixerControl& from = controls_.At(source, element);
        MixerControl& to = controls_.At(destination, element);
        if (to.kind == ControlKind::StatusShape) {
            TrackStatus former = to.Status();
            controls_.SetStatus(to, from.Status());
            ApplyStatus(to);
            if (exchange) {
                controls_.SetStatus(from, former);
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
    if (mixer_.dialogs.Message(Txt(258), MessageButtons::OkCancel) != ResultOk) return;
    TimedInputRequest request;
    request.buttons = TimedOk | TimedCancel;
    request.caption = Txt(259);
    request.message = Txt(260) + std::to_string(layout::TrackCount) + "):";
    request.showInput = true;
    request.input = std::to_string(controls_.TrackCount());
    request.defaultResult = ResultOk;
    // Typing replaces the count at once, as in every input box of the program.
    request.focusInput = true;
    if (mixer_.dialogs.TimedInput(request) != ResultOk) return;
    std::optional<int> count = ParseInt(request.input);
    if (!count) {
        mixer_.dialogs.Message(UiTxt(UiText::NotAnInteger, request.input), MessageButtons::Ok);
        return;
    }
    SetTrackCount(std::clamp(*count, 1, layout::TrackCount));
}

void TrackOperations::SetTrackCount(int trackCount) {
    // Values clamped for the new layout are written back: one step.
    DocumentStep step(mixer_.doc, TrackCountStepName(controls_.TrackCount(), trackCount));
    {
        struct Changes {
            MixerObserver* observer;
            explicit Changes(MixerObserver* o) : observer(o) {
                if (observer) observer->ChangesBegin();
            }
            ~Changes() {
                if (observer) observer->ChangesEnd();
            }
        } changes(mixer_.observer);
        controls_.Relayout(trackCount);
        if (mixer_.doc.IsProject()) controls_.ReadAll();
        else (*mixer_.menu).RebuildInfoLine();
    }
    if (mixer_.observer) {
        mixer_.observer->TrackCountChanged(controls_.TrackCount());
        mixer_.observer->FitWindow(FittedClientWidth(controls_.TrackCount()));
    }
}

}  // namespace spurwerk
