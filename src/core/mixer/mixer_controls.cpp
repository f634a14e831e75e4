#include "mixer/mixer_controls.h"

#include <algorithm>
#include <stdexcept>

#include "mixer/edit_steps.h"
#include "mixer/mixer_hints.h"
#include "mixer/mixer_view_model.h"
#include "mixer/strip_layout.h"
#include "project/value_format.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "ui/dialogs.h"

namespace spurwerk {

namespace {

std::size_t ElementCount() { return StripControls().size(); }

std::size_t ElementIndex(const std::string& prefix) {
    const auto& elements = StripControls();
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (prefix == elements[i].prefix) return i;
    throw std::out_of_range("no strip element \"" + prefix + "\"");
}

}  // namespace

MixerControls::MixerControls(MixerViewModel& mixer) : mixer_(mixer) {}

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

const MixerControl& MixerControls::Control(int stripIndex, const std::string& prefix) const {
    if (stripIndex < 0 || stripIndex >= static_cast<int>(strips_.size()))
        throw std::out_of_range("no mixer strip " + std::to_string(stripIndex));
    return controls_.at(1 + static_cast<std::size_t>(stripIndex) * ElementCount() + ElementIndex(prefix));
}

const MixerControl& MixerControls::Control(const std::string& name) const {
    if (name == "EditProjName") return controls_[0];
    std::size_t underscore = name.find('_');
    if (underscore != std::string::npos) {
        std::string number = name.substr(underscore + 1);
        bool digits = !number.empty() && number.size() <= 2 &&
                      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) return Control(std::stoi(number) - 1, name.substr(0, underscore + 1));
    }
    throw std::out_of_range("no mixer control \"" + name + "\"");
}

bool MixerControls::IsAllStrip(const MixerControl& control) const {
    return !control.isProjectName && control.strip == trackCount_;
}

bool MixerControls::IsMarked(int stripIndex) const {
    return Control(stripIndex, "LabelTrackNr_").colour == colours::Blue;
}

void MixerControls::Notify(const MixerControl& control, unsigned aspects) {
    if (MixerObserver* observer = mixer_.Observer()) observer->ControlChanged(control, aspects);
}

void MixerControls::NotifyStrip(int stripIndex) {
    if (MixerObserver* observer = mixer_.Observer()) observer->StripChanged(stripIndex);
}

std::vector<std::string> MixerControls::ListTrackParameters() const {
    std::vector<std::string> list;
    for (const MixerControl& control : controls_) {
        if (control.TagStrip() != 0 || control.Offset() < 1) continue;
        std::size_t underscore = control.name.find('_');
        if (underscore == std::string::npos) continue;
        std::string name = control.name.substr(2, underscore - 2);
        if (control.IsCheckBox()) name += "[v]";
        list.push_back(name);
    }
    return list;
}

// --- Building -------------------------------------------------------------------------

void MixerControls::BuildStrip(int k) {
    bool allStrip = k == trackCount_;
    for (const StripElement& element : StripControls()) {
        MixerControl& c = At(k, element.prefix);
        ElementLook look = StripElementLook(element, k, allStrip, mixer_.Options().reverseEqualizerToLMH);
        c.geometry = look.geometry;
        c.caption = look.caption;
        c.colour = look.colour;
        c.fontColour = look.fontColour;
        c.enabled = true;
        c.changeMark = false;
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
        MixerControl& stereo = At(k, "CBStereo_");
        stereo.visible = s.visible && k % 2 == 0;
        Notify(stereo, AspectVisible);
        NotifyStrip(k);
    }
    // Strips that were the all-strip are bound to their own track again.
    for (int k = 0; k < trackCount_; ++k) At(k, "EDFileAss_").tag = MakeTag(k, layout::WavNameOffset(k));
    At(trackCount_, "EDFileAss_").tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
    for (int k = 0; k <= trackCount_; ++k) UpdateHint(At(k, "EDFileAss_"));
    if (MixerObserver* observer = mixer_.Observer()) observer->LayoutChanged(trackCount_);
    changeHandling_ = true;
}

void MixerControls::AssignParameterTags() {
    for (int k = 0; k <= maxStripIndex_; ++k)
        for (const StripElement& element : StripControls()) At(k, element.prefix).tag = MakeTag(k, TagOffset(element, k));
    controls_[0].tag = MakeTag(0, layout::ProjectNameOffset);
    At(trackCount_, "EDFileAss_").tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
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

void MixerControls::SetStatusColour(MixerControl& c, TrackStatus status) {
    c.value = static_cast<int>(status);
    c.colour = status == TrackStatus::Record ? colours::Red : status == TrackStatus::Play ? colours::Green : colours::Grey;
    Notify(c, AspectValue | AspectColour);
}

bool MixerControls::SetPosition(const std::string& name, int position) {
    MixerControl& c = Named(name);
    if (!c.IsSlider()) throw std::invalid_argument("\"" + name + "\" is no slider");
    return SetValueRaising(c, position);
}

bool MixerControls::SetChecked(const std::string& name, bool checked) {
    MixerControl& c = Named(name);
    if (!c.IsCheckBox()) throw std::invalid_argument("\"" + name + "\" is no check box");
    return SetValueRaising(c, checked);
}

bool MixerControls::SetText(const std::string& name, const std::string& text) {
    MixerControl& c = Named(name);
    if (c.kind != ControlKind::FileField) throw std::invalid_argument("\"" + name + "\" is no edit field");
    return SetTextRaising(c, text);
}

bool MixerControls::ResetToDefault(const std::string& name) {
    MixerControl& c = Named(name);
    if (!c.IsSlider()) throw std::invalid_argument("\"" + name + "\" is no slider");
    return SetValueRaising(c, c.element->defaultValue);
}

// --- The change handler ---------------------------------------------------------------

void MixerControls::CtrlAction(MixerControl& c) {
    ZDTDocument& doc = mixer_.Document();
    // One change, with all it propagates to, is one undo step.
    DocumentStep step(doc);
    if (IsAllStrip(c) && mixer_.Tracks().CarriesAllStripOperation(c)) {
        mixer_.Tracks().PropagateAllStrip(c);
        doc.NameStep(AllStripStepName(c, mixer_.Tracks().AllStripTargets()));
        return;
    }
    if (!changeHandling_) return;
    std::string from = StepValueText(doc.ZDTData(), c);
    WriteValue(c);
    doc.NameStep(ControlStepName(c, from, StepValueText(doc.ZDTData(), c)));
}

void MixerControls::PanelClick() {
    if (changeHandling_) mixer_.Document().MarkChanged();
}

int MixerControls::AltReset(MixerControl& slider) {
    // Only a change the user makes resets; reading or saving with Alt held must not.
    if (!bulk_ && mixer_.DialogsUsed().Keys().alt) SetValueRaising(slider, slider.element->defaultValue);
    return slider.value;
}

void MixerControls::WriteValue(MixerControl& c) {
    ZDTDocument& doc = mixer_.Document();
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    if (c.isProjectName) {
        std::string name = TrimBlanks(c.text);
        mixer_.Actions().ShowProjectName(name);
        std::string padded = name.substr(0, layout::ProjectNameLength);
        padded.resize(layout::ProjectNameLength, '\0');
        doc.WriteZDTString(t, padded);
        return;
    }
    switch (c.kind) {
        case ControlKind::StatusShape:
            WriteTrackStatus(doc, k, c.Status(), t);
            UpdateHint(c);
            break;
        case ControlKind::FileField:
            WriteWavName(doc, t, c.text);
            UpdateHint(c);
            if (!doc.IsLoadingZDT && !doc.IsSavingZDT && !bulk_) mixer_.Files().BuildWavList();
            break;
        case ControlKind::StereoBox:
            WriteStereoLink(doc, k, c.Checked());
            mixer_.Files().ApplyStereoLink(k, c.Checked(), true);
            break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
            ColourCheckBox(c);
            doc.WriteZDTByte(t, c.Checked() ? 1 : 0);
            break;
        case ControlKind::SendBox:
            ColourCheckBox(c);
            WriteMaskBit(doc, t, k, c.Checked());
            break;
        case ControlKind::Slider:
        case ControlKind::GainSlider: {
            int position = AltReset(c);
            doc.WriteZDTByte(t, static_cast<std::uint8_t>(SliderRaw(*c.element, position) & 0xFF));
            UpdateHint(c);
            if (!bulk_)
                if (MixerObserver* observer = mixer_.Observer()) observer->ShowHintNow(c);
            break;
        }
        default: break;
    }
}

void MixerControls::ReadValue(MixerControl& c) {
    const ZDTDocument& doc = mixer_.Document();
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    int b = doc.ReadByte(t);
    switch (c.kind) {
        case ControlKind::StatusShape:
            SetStatusColour(c, ReadTrackStatus(doc.ZDTData(), k, t));
            UpdateHint(c);
            break;
        case ControlKind::FileField:
            SetTextRaising(c, ReadWavName(doc.ZDTData(), t));
            UpdateHint(c);
            break;
        case ControlKind::StereoBox:
            SetValueRaising(c, (b & TrackBitMask(k / 2)) != 0);
            mixer_.Files().ApplyStereoLink(k, c.Checked(), false);
            break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
            SetValueRaising(c, b != 0);
            SetColour(c, c.Checked() ? colours::Red : colours::Grey);
            break;
        case ControlKind::SendBox: SetValueRaising(c, ReadMaskBit(doc.ZDTData(), t, k)); break;
        case ControlKind::GainSlider:
        case ControlKind::Slider:
            SetValueRaising(c, SliderPosition(*c.element, b));
            UpdateHint(c);
            break;
        default: break;
    }
}

void MixerControls::ReadAll() {
    ZDTDocument& doc = mixer_.Document();
    if (!doc.IsProject()) return;
    bulk_ = true;
    for (int k = 0; k < trackCount_; ++k)
        for (const std::string& prefix : TrackTransferOrder()) ReadValue(At(k, prefix));
    // The master name is shown, never written back.
    MixerControl& master = At(trackCount_, "EDFileAss_");
    master.text = ReadWavName(doc.ZDTData(), master.Offset());
    UpdateHint(master);
    Notify(master, AspectValue);
    SetTextRaising(controls_[0], TrimControlChars(doc.ReadString(layout::ProjectNameOffset, layout::ProjectNameLength)));
    bulk_ = false;
    mixer_.Files().BuildWavList();
    for (int k = 0; k < trackCount_; ++k)
        if (At(k, "CBStereo_").Checked()) mixer_.Files().ApplyStereoLink(k, true, false);
    mixer_.Menu().RebuildInfoLine();
}

void MixerControls::ReadAllWithoutWriting() {
    changeHandling_ = false;
    ReadAll();
    changeHandling_ = true;
}

void MixerControls::WriteAll() {
    ZDTDocument& doc = mixer_.Document();
    bulk_ = true;
    for (int k = 0; k < trackCount_; ++k)
        for (const std::string& prefix : TrackTransferOrder()) WriteValue(At(k, prefix));
    WriteValue(At(trackCount_, "EDFileAss_"));
    std::string name = TrimBlanks(controls_[0].text).substr(0, layout::ProjectNameLength);
    doc.WriteZDTString(layout::ProjectNameOffset, name);
    bulk_ = false;
    if (!doc.IsLoadingZDT && !doc.IsSavingZDT) mixer_.Files().BuildWavList();
}

// --- Display --------------------------------------------------------------------------

void MixerControls::ColourCheckBox(MixerControl& box) {
    Colour on = box.kind == ControlKind::StereoBox || box.kind == ControlKind::InvertBox ? colours::Red : colours::Blue;
    SetColour(box, box.Checked() ? on : colours::Grey);
    std::string prefix = box.element->prefix;
    if (box.kind == ControlKind::BandBox || box.kind == ControlKind::SendBox)
        UpdateHint(At(box.strip, "TB" + prefix.substr(2)));
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
            int reference = c.element->defaultValue;
            std::string prefix = c.element->prefix;
            if (c.kind == ControlKind::GainSlider && !At(c.strip, "CB" + prefix.substr(2)).Checked())
                reference = c.value;
            if ((prefix == "TBReverb_" || prefix == "TBChorus_") && !At(c.strip, "CB" + prefix.substr(2)).Checked())
                reference = c.value;
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
        for (const StripElement& element : StripControls()) UpdateHint(At(k, element.prefix));
    // The all-strip's label is a text of the language too.
    MixerControl& allStripLabel = At(trackCount_, "LabelTrackNr_");
    if (allStripLabel.caption != Txt(229)) {
        allStripLabel.caption = Txt(229);
        Notify(allStripLabel, AspectCaption);
    }
    mixer_.Menu().RebuildInfoLine();
}

}  // namespace spurwerk
