#include "mixer/mixer_controls.h"

#include <algorithm>
#include <stdexcept>

#include "mixer/edit_steps.h"
#include "mixer/file_assignment.h"
#include "mixer/mixer_hints.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/mixer_menu.h"
#include "mixer/strip_layout.h"
#include "mixer/track_operations.h"
#include "project/document_ops.h"
#include "project/track_values.h"
#include "project/value_format.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "ui/dialogs.h"

namespace spurwerk {

MixerControls::MixerControls(MixerContext& mixer) : mixer_(mixer) {}

void MixerControls::Build(int maxStripIndex, int trackCount) {
    maxStripIndex_ = maxStripIndex;
    MixerControl name;
    name.name = "EditProjName";
    name.kind = ControlKind::FileField;
    name.isProjectName = true;
    name.colour = colours::Window;
    name.fontColour = colours::Window;
    name.geometry.parent = ControlParent::TopPanel;
    controls_.push_back(name);
    for (int k = 0; k <= maxStripIndex_; ++k) {
        for (const StripElement& element : StripControls()) {
            MixerControl control;
            control.element = &element;
            control.kind = element.kind;
            control.strip = k;
            control.name = ControlName(element, k);
            control.minimum = element.minimum;
            control.maximum = element.maximum;
            controls_.push_back(control);
        }
    }
    strips_.resize(static_cast<std::size_t>(maxStripIndex_) + 1);
    trackCount_ = trackCount;
    Relayout(trackCount);
    AssignParameterTags();
}

// --- Lookup ---------------------------------------------------------------------------

const MixerControl& MixerControls::Control(int stripIndex, Element element) const {
    if (stripIndex < 0 || stripIndex >= static_cast<int>(strips_.size()))
        throw std::out_of_range("no mixer strip " + std::to_string(stripIndex));
    return controls_.at(1 + static_cast<std::size_t>(stripIndex) * ElementCount + static_cast<std::size_t>(element));
}

const MixerControl& MixerControls::Control(const std::string& name) const {
    if (name == "EditProjName") return controls_[0];
    std::size_t underscore = name.find('_');
    if (underscore != std::string::npos) {
        std::string number = name.substr(underscore + 1);
        bool digits = !number.empty() && number.size() <= 2 &&
                      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        const StripElement* element = FindStripControl(name.substr(0, underscore + 1));
        if (digits && element) return Control(std::stoi(number) - 1, element->id);
    }
    throw std::out_of_range("no mixer control \"" + name + "\"");
}

bool MixerControls::IsAllStrip(const MixerControl& control) const {
    return !control.isProjectName && control.strip == trackCount_;
}

bool MixerControls::IsMarked(int stripIndex) const { return Control(stripIndex, Element::TrackLabel).marked; }

void MixerControls::Notify(const MixerControl& control, unsigned aspects) {
    // Whatever changed, the colour follows from the value and flags, so no path can leave it behind.
    // The all-strip's value boxes write nothing of their own and keep their look.
    MixerControl& c = Mutable(control);
    bool allStripBox = IsAllStrip(c) && c.IsCheckBox() && c.kind != ControlKind::RowBox;
    std::optional<Colour> colour = allStripBox ? std::nullopt : StateColour(c, Strip(c.strip).panelColour);
    if (colour && !(*colour == c.colour)) {
        c.colour = *colour;
        aspects |= AspectColour;
    }
    if (aspects == 0) return;
    if (MixerObserver* observer = mixer_.observer) observer->ControlChanged(c, aspects);
}

void MixerControls::NotifyStrip(int stripIndex) {
    // Unmarked labels and caption-only boxes show the strip's colour.
    for (const StripElement& element : StripControls())
        if (element.kind == ControlKind::TrackLabel || element.kind == ControlKind::RowBox)
            Notify(At(stripIndex, element.id), 0);
    if (MixerObserver* observer = mixer_.observer) observer->StripChanged(stripIndex);
}

void MixerControls::SetMarked(int stripIndex, bool marked) {
    MixerControl& label = At(stripIndex, Element::TrackLabel);
    label.marked = marked;
    Notify(label, 0);
}

std::vector<std::string> MixerControls::ListTrackParameters() const {
    std::vector<std::string> list;
    for (const TrackParameter& parameter : TrackParameters()) list.push_back(parameter.name);
    return list;
}

// --- Building -------------------------------------------------------------------------

void MixerControls::BuildStrip(int k) {
    bool allStrip = k == trackCount_;
    for (const StripElement& element : StripControls()) {
        MixerControl& c = At(k, element.id);
        ElementLook look = StripElementLook(element, k, allStrip, mixer_.options.reverseEqualizerToLMH);
        c.geometry = look.geometry;
        c.caption = look.caption;
        c.colour = look.colour;
        c.fontColour = look.fontColour;
        c.enabled = true;
        c.changeMark = false;
        c.marked = true;
        c.fromFile = false;
        c.text.clear();
        switch (c.kind) {
            case ControlKind::StatusShape: c.value = static_cast<int>(TrackStatus::Play); break;
            case ControlKind::Slider:
            case ControlKind::GainSlider: c.value = element.initialPosition; break;
            default: c.value = 0; break;
        }
        c.hint.clear();
        UpdateHint(c);
        Notify(c, AspectAll);
    }
    StripState& s = MutableStrip(k);
    s.panelColour = StripPanelColour(k, allStrip);
    s.enabled = true;
    s.left = allStrip ? 0 : StripLeft(k);
}

void MixerControls::Relayout(int trackCount) {
    changeHandling_ = false;
    trackCount_ = std::clamp(trackCount, 1, std::min(maxStripIndex_, layout::TrackCount));
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) BuildStrip(k);
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) {
        StripState& s = MutableStrip(k);
        s.visible = k <= trackCount_;
        MixerControl& stereo = At(k, Element::Stereo);
        stereo.visible = s.visible && k % 2 == 0;
        Notify(stereo, AspectVisible);
        NotifyStrip(k);
    }
    // Strips that were the all-strip are bound to their own track again.
    for (int k = 0; k < trackCount_; ++k) At(k, Element::FileAss).tag = MakeTag(k, layout::WavNameOffset(k));
    At(trackCount_, Element::FileAss).tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
    for (int k = 0; k <= trackCount_; ++k) UpdateHint(At(k, Element::FileAss));
    if (MixerObserver* observer = mixer_.observer) observer->LayoutChanged(trackCount_);
    changeHandling_ = true;
}

void MixerControls::AssignParameterTags() {
    for (int k = 0; k <= maxStripIndex_; ++k)
        for (const StripElement& element : StripControls()) At(k, element.id).tag = MakeTag(k, TagOffset(element, k));
    controls_[0].tag = MakeTag(0, layout::ProjectNameOffset);
    At(trackCount_, Element::FileAss).tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
}

// --- Setting values -------------------------------------------------------------------

bool MixerControls::SetValueRaising(MixerControl& c, int value) {
    if (c.IsSlider()) value = std::clamp(value, c.minimum, c.maximum);
    if (c.IsCheckBox()) value = value != 0;
    if (c.value == value) return false;
    c.value = value;
    Notify(c, AspectValue);
    CtrlAction(c);
    return true;
}

bool MixerControls::CarryValue(MixerControl& c, int value) {
    if (c.IsSlider()) value = std::clamp(value, c.minimum, c.maximum);
    if (c.IsCheckBox()) value = value != 0;
    if (c.value == value) return false;
    c.value = value;
    Notify(c, AspectValue);
    WriteValue(c);
    return true;
}

bool MixerControls::SetTextRaising(MixerControl& c, const std::string& text) {
    std::string limited = text.substr(0, c.isProjectName ? layout::ProjectNameLength : layout::WavNameLength);
    if (c.text == limited) return false;
    c.text = limited;
    Notify(c, AspectValue);
    CtrlAction(c);
    return true;
}

void MixerControls::SetColour(MixerControl& c, Colour colour) {
    if (c.colour == colour) return;
    c.colour = colour;
    Notify(c, AspectColour);
}

void MixerControls::SetStatus(MixerControl& c, TrackStatus status) {
    c.value = static_cast<int>(status);
    Notify(c, AspectValue);
}

bool MixerControls::IsLocked(const MixerControl& c) const {
    return !c.isProjectName && IsStereoLocked(mixer_.doc.ZDTData(), c.strip, trackCount_);
}

bool MixerControls::SetPosition(const std::string& name, int position, KeyState keys) {
    MixerControl& c = Named(name);
    if (!c.IsSlider()) throw std::invalid_argument("\"" + name + "\" is no slider");
    BankScope bank(*this, BankOf(keys));
    return !IsLocked(c) && SetValueRaising(c, keys.alt ? c.element->defaultValue : position);
}

bool MixerControls::SetChecked(const std::string& name, bool checked, KeyState keys) {
    MixerControl& c = Named(name);
    if (!c.IsCheckBox()) throw std::invalid_argument("\"" + name + "\" is no check box");
    BankScope bank(*this, BankOf(keys));
    return !IsLocked(c) && SetValueRaising(c, checked);
}

bool MixerControls::SetText(const std::string& name, const std::string& text) {
    MixerControl& c = Named(name);
    if (c.kind != ControlKind::FileField) throw std::invalid_argument("\"" + name + "\" is no edit field");
    return !IsLocked(c) && SetTextRaising(c, text);
}

bool MixerControls::ResetToDefault(const std::string& name, KeyState keys) {
    MixerControl& c = Named(name);
    if (!c.IsSlider()) throw std::invalid_argument("\"" + name + "\" is no slider");
    BankScope bank(*this, BankOf(keys));
    return !IsLocked(c) && SetValueRaising(c, c.element->defaultValue);
}

// --- The change handler ---------------------------------------------------------------

void MixerControls::CtrlAction(MixerControl& c) {
    ZDTDocument& doc = mixer_.doc;
    // One change, with all it propagates to, is one undo step.
    DocumentStep step(doc);
    if (IsAllStrip(c) && (*mixer_.tracks).CarriesAllStripOperation(c)) {
        (*mixer_.tracks).PropagateAllStrip(c, bank_);
        doc.NameStep(AllStripStepName(c, (*mixer_.tracks).AllStripTargets()));
        return;
    }
    if (!changeHandling_) return;
    std::string from = StepValueText(doc.ZDTData(), c);
    WriteValue(c);
    doc.NameStep(ControlStepName(c, from, StepValueText(doc.ZDTData(), c)));
}

void MixerControls::PanelClick() {
    if (changeHandling_) mixer_.doc.MarkChanged();
}

void MixerControls::WriteValue(MixerControl& c) {
    ZDTDocument& doc = mixer_.doc;
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    if (c.isProjectName) {
        std::string name = TrimBlanks(c.text);
        (*mixer_.actions).ShowProjectName(name);
        std::string padded = name.substr(0, layout::ProjectNameLength);
        padded.resize(layout::ProjectNameLength, '\0');
        doc.WriteZDTString(t, padded);
        return;
    }
    // The all-strip's field holds the master's name, which no track owns.
    bool master = c.kind == ControlKind::FileField && t == layout::MasterWavNameOffset;
    switch (c.kind) {
        case ControlKind::StatusShape:
        case ControlKind::FileField:
        case ControlKind::StereoBox:
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
        case ControlKind::SendBox:
            if (master) WriteWavName(doc, t, c.text);
            else WriteTrackValue(doc, *c.element, k, TrackValue{c.value, c.text});
            break;
        case ControlKind::Slider:
        case ControlKind::GainSlider:
            WriteTrackValue(doc, *c.element, k, TrackValue{SliderRaw(*c.element, c.value), ""});
            break;
        default: return;
    }
    switch (c.kind) {
        case ControlKind::StatusShape: UpdateHint(c); break;
        case ControlKind::FileField:
            UpdateHint(c);
            if (!mixer_.session.IsLoadingZDT() && !mixer_.session.IsSavingZDT() && !bulk_)
                (*mixer_.files).BuildWavList();
            break;
        case ControlKind::StereoBox: (*mixer_.files).ApplyStereoLink(k, c.Checked(), true); break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
        case ControlKind::SendBox: ColourCheckBox(c); break;
        default:
            UpdateHint(c);
            if (!bulk_)
                if (MixerObserver* observer = mixer_.observer) observer->ShowHintNow(c);
            break;
    }
}

void MixerControls::ReadValue(MixerControl& c) {
    const ZDTDocument& doc = mixer_.doc;
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    int b = doc.ReadByte(t);
    switch (c.kind) {
        case ControlKind::StatusShape:
            SetStatus(c, ReadTrackStatus(doc.ZDTData(), k, t));
            UpdateHint(c);
            break;
        case ControlKind::FileField:
            SetTextRaising(c, ReadWavName(doc.ZDTData(), t));
            UpdateHint(c);
            break;
        case ControlKind::StereoBox:
            SetValueRaising(c, (b & TrackBitMask(k / 2)) != 0);
            (*mixer_.files).ApplyStereoLink(k, c.Checked(), false);
            break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
            SetValueRaising(c, b != 0);
            c.fromFile = true;
            Notify(c, 0);
            break;
        case ControlKind::SendBox:
            SetValueRaising(c, ReadMaskBit(doc.ZDTData(), t, k));
            c.fromFile = true;
            Notify(c, 0);
            break;
        case ControlKind::GainSlider:
        case ControlKind::Slider:
            SetValueRaising(c, SliderPosition(*c.element, b));
            UpdateHint(c);
            break;
        default: break;
    }
}

void MixerControls::ReadAll() {
    ZDTDocument& doc = mixer_.doc;
    if (!doc.IsProject()) return;
    bulk_ = true;
    // The name first: the file fields' hints name the project.
    SetTextRaising(controls_[0], TrimControlChars(doc.ReadString(layout::ProjectNameOffset, layout::ProjectNameLength)));
    for (int k = 0; k < trackCount_; ++k)
        for (Element element : TrackTransferOrder()) ReadValue(At(k, element));
    // The master name is shown, never written back.
    MixerControl& master = At(trackCount_, Element::FileAss);
    master.text = ReadWavName(doc.ZDTData(), master.Offset());
    UpdateHint(master);
    Notify(master, AspectValue);
    bulk_ = false;
    (*mixer_.files).BuildWavList();
    for (int k = 0; k < trackCount_; ++k)
        if (At(k, Element::Stereo).Checked()) (*mixer_.files).ApplyStereoLink(k, true, false);
    (*mixer_.menu).RebuildInfoLine();
}

void MixerControls::ReadAllWithoutWriting() {
    changeHandling_ = false;
    ReadAll();
    changeHandling_ = true;
}

void MixerControls::WriteAll() {
    ZDTDocument& doc = mixer_.doc;
    bulk_ = true;
    for (int k = 0; k < trackCount_; ++k)
        for (Element element : TrackTransferOrder()) WriteValue(At(k, element));
    WriteValue(At(trackCount_, Element::FileAss));
    std::string name = TrimBlanks(controls_[0].text).substr(0, layout::ProjectNameLength);
    doc.WriteZDTString(layout::ProjectNameOffset, name);
    bulk_ = false;
    if (!mixer_.session.IsLoadingZDT() && !mixer_.session.IsSavingZDT()) (*mixer_.files).BuildWavList();
}

// --- Display --------------------------------------------------------------------------

void MixerControls::ColourCheckBox(MixerControl& box) {
    box.fromFile = false;
    Notify(box, 0);
    if (box.element->partner != box.element->id) UpdateHint(At(box.strip, box.element->partner));
}

void MixerControls::UpdateHint(MixerControl& c) {
    if (c.isProjectName || !c.element) return;
    std::string hint = c.hint;
    bool mark = c.changeMark;
    Colour colour = c.colour;
    switch (c.kind) {
        case ControlKind::TrackLabel: hint = TrackLabelHint(); break;
        case ControlKind::StatusShape: hint = StatusHint(c.Status()); break;
        case ControlKind::StereoBox: hint = StereoBoxHint(); break;
        case ControlKind::InvertBox: hint = InvertBoxHint(); break;
        case ControlKind::FileField: {
            bool master = IsAllStrip(c);
            hint = FileFieldHint(controls_[0].text, c.strip, master, c.text);
            if (master) colour = c.text.empty() ? colours::Window : colours::Green;
            break;
        }
        case ControlKind::Slider:
        case ControlKind::GainSlider: {
            // A gain, reverb or chorus whose band or send is off counts as unchanged.
            int reference = c.element->defaultValue;
            if (c.element->partner != c.element->id && !At(c.strip, c.element->partner).Checked()) reference = c.value;
            mark = c.value != reference;
            hint = SliderHint(*c.element, c.value);
            break;
        }
        default: break;
    }
    unsigned aspects = 0;
    if (hint != c.hint) aspects |= AspectHint;
    if (mark != c.changeMark) aspects |= AspectChangeMark;
    if (!(colour == c.colour)) aspects |= AspectColour;
    c.hint = hint;
    c.changeMark = mark;
    c.colour = colour;
    if (aspects) Notify(c, aspects);
}

void MixerControls::UpdateAllHints() {
    for (int k = 0; k <= trackCount_; ++k)
        for (const StripElement& element : StripControls()) UpdateHint(At(k, element.id));
    // The all-strip's label is a text of the language too.
    MixerControl& allStripLabel = At(trackCount_, Element::TrackLabel);
    if (allStripLabel.caption != Txt(229)) {
        allStripLabel.caption = Txt(229);
        Notify(allStripLabel, AspectCaption);
    }
    (*mixer_.menu).RebuildInfoLine();
}

}  // namespace spurwerk
