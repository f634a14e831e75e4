#include "mixer/mixer_view_model.h"

#include <algorithm>
#include <stdexcept>

#include "mixer/edit_steps.h"
#include "mixer/strip_layout.h"
#include "project/value_format.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "ui/dialogs.h"

namespace spurwerk {

namespace {

std::size_t SpecCount() { return StripControls().size(); }

std::string R24FallbackMessage() {
    return "!!! Achtung:  Die Einstellungen für das Zoom-R24-Gerät \r\n"
           "              sind noch nicht implementiert, da mir noch unbekannt! \r\n"
           "Es werden stattdessen die Positionen der Projekt-Parameter aus der Datei \r\n"
           "\"PRJDATA.ZDT\" für das Zoom-R16-Gerät genommen !!  (Maximal 16 Tracks!) \r\n"
           "(Setzen Sie die Geräte-Einstellung (Datei \"Spurwerk.INI\", Option \"DevIsZoomR24\"\r\n"
           " vorläufig auf 0, Sie erhalten dann diese Meldung nicht mehr.)";
}

}  // namespace

MixerViewModel::MixerViewModel(ZDTDocument& doc, Dialogs& dialogs, MixerOptions options, MixerActions* actions)
    : doc_(doc), dialogs_(dialogs), options_(std::move(options)), actions_(actions ? actions : &defaultActions_) {
    maxStripIndex_ = options_.devIsZoomR24 ? layout::MaxStripIndexR24 : layout::MaxStripIndexR16;
    // Both devices use the R16 layout, so at most 16 tracks from the start:
    // a larger count would be laid out once and never again.
    int trackCount = std::clamp(options_.trackCount, 1, layout::TrackCount);

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

    if (options_.devIsZoomR24) {
        dialogs_.Message(R24FallbackMessage(), MessageButtons::Ok);
        maxStripIndex_ = layout::MaxStripIndexR16;
    }
    AssignParameterTags();
    doc_.MarkLoaded();
    RebuildInfoLine();
    // An undo or redo puts other bytes under every control.
    documentToken_ = doc_.Subscribe([this](const DocumentChange& change) {
        if (change.event == DocumentEvent::Replaced && change.fromHistory) ShowRestoredDocument();
    });
}

MixerViewModel::~MixerViewModel() { doc_.Unsubscribe(documentToken_); }

void MixerViewModel::ShowRestoredDocument() {
    // The controls follow the bytes; nothing is written back.
    changeHandling_ = false;
    ReadAllControls();
    changeHandling_ = true;
    RebuildInfoLine();
}

void MixerViewModel::SetActions(MixerActions* actions) { actions_ = actions ? actions : &defaultActions_; }

// --- Lookup ---------------------------------------------------------------------------

std::size_t MixerViewModel::SpecIndex(const std::string& prefix) const {
    const auto& specs = StripControls();
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (prefix == specs[i].prefix) return i;
    throw std::out_of_range("no strip element \"" + prefix + "\"");
}

MixerControl& MixerViewModel::Ctl(int stripIndex, std::size_t specIndex) {
    return controls_.at(1 + static_cast<std::size_t>(stripIndex) * SpecCount() + specIndex);
}

MixerControl& MixerViewModel::Ctl(int stripIndex, const std::string& prefix) {
    return Ctl(stripIndex, SpecIndex(prefix));
}

const MixerControl& MixerViewModel::At(int stripIndex, const std::string& prefix) const {
    return controls_.at(1 + static_cast<std::size_t>(stripIndex) * SpecCount() + SpecIndex(prefix));
}

MixerControl& MixerViewModel::Named(const std::string& name) {
    if (name == "EditProjName") return controls_[0];
    std::size_t underscore = name.find('_');
    if (underscore != std::string::npos) {
        std::string prefix = name.substr(0, underscore + 1);
        std::string number = name.substr(underscore + 1);
        bool digits = !number.empty() && number.size() <= 2 &&
                      std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) {
            int k = std::stoi(number) - 1;
            if (k >= 0 && k <= static_cast<int>(strips_.size()) - 1) {
                for (std::size_t i = 0; i < SpecCount(); ++i)
                    if (prefix == StripControls()[i].prefix) return Ctl(k, i);
            }
        }
    }
    throw std::out_of_range("no mixer control \"" + name + "\"");
}

const MixerControl& MixerViewModel::Control(const std::string& name) const {
    return const_cast<MixerViewModel*>(this)->Named(name);
}

bool MixerViewModel::IsAllStrip(const MixerControl& control) const {
    return !control.isProjectName && control.strip == trackCount_;
}

bool MixerViewModel::IsMarked(int stripIndex) const {
    return At(stripIndex, "LabelTrackNr_").colour == colours::Blue;
}

void MixerViewModel::Notify(const MixerControl& control, unsigned aspects) {
    if (observer_) observer_->ControlChanged(control, aspects);
}

void MixerViewModel::NotifyStrip(int stripIndex) {
    if (observer_) observer_->StripChanged(stripIndex);
}

std::vector<std::string> MixerViewModel::ListTrackParameters() const {
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

std::string MixerViewModel::AllStripHint() const { return spurwerk::AllStripHint(); }

// --- Building -------------------------------------------------------------------------

void MixerViewModel::BuildStrip(int k) {
    bool allStrip = k == trackCount_;
    for (std::size_t i = 0; i < SpecCount(); ++i) {
        MixerControl& c = Ctl(k, i);
        ElementLook look = StripElementLook(*c.element, k, allStrip, options_.reverseEqualizerToLMH);
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
            case ControlKind::GainSlider: c.value = c.element->initialPosition; break;
            default: c.value = 0; break;
        }
        c.hint.clear();
        UpdateControlHint(c);
        Notify(c, AspectAll);
    }
    StripState& s = strips_[static_cast<std::size_t>(k)];
    s.panelColour = StripPanelColour(k, allStrip);
    s.enabled = true;
    s.left = allStrip ? 0 : StripLeft(k);
}

void MixerViewModel::Relayout(int trackCount) {
    changeHandling_ = false;
    trackCount_ = std::clamp(trackCount, 1, std::min(maxStripIndex_, layout::TrackCount));
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) BuildStrip(k);
    for (int k = 0; k < static_cast<int>(strips_.size()); ++k) {
        StripState& s = strips_[static_cast<std::size_t>(k)];
        s.visible = k <= trackCount_;
        MixerControl& stereo = Ctl(k, "CBStereo_");
        stereo.visible = s.visible && k % 2 == 0;
        Notify(stereo, AspectVisible);
        NotifyStrip(k);
    }
    // Strips that were the all-strip are bound to their own track again.
    for (int k = 0; k < trackCount_; ++k) Ctl(k, "EDFileAss_").tag = MakeTag(k, layout::WavNameOffset(k));
    Ctl(trackCount_, "EDFileAss_").tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
    for (int k = 0; k <= trackCount_; ++k) UpdateControlHint(Ctl(k, "EDFileAss_"));
    if (observer_) observer_->LayoutChanged(trackCount_);
    changeHandling_ = true;
}

void MixerViewModel::AssignParameterTags() {
    for (int k = 0; k <= maxStripIndex_; ++k)
        for (std::size_t i = 0; i < SpecCount(); ++i) {
            MixerControl& c = Ctl(k, i);
            c.tag = MakeTag(k, TagOffset(*c.element, k));
        }
    controls_[0].tag = MakeTag(0, layout::ProjectNameOffset);
    Ctl(trackCount_, "EDFileAss_").tag = MakeTag(trackCount_, layout::MasterWavNameOffset);
}

// --- Setting values -------------------------------------------------------------------

bool MixerViewModel::SetValueRaising(MixerControl& c, int value) {
    if (c.IsSlider()) value = std::clamp(value, c.minimum, c.maximum);
    if (c.IsCheckBox()) value = value != 0;
    if (c.value == value) return false;
    c.value = value;
    Notify(c, AspectValue);
    CtrlAction(c);
    return true;
}

bool MixerViewModel::SetTextRaising(MixerControl& c, const std::string& text) {
    std::string limited = text.substr(0, c.isProjectName ? layout::ProjectNameLength : layout::WavNameLength);
    if (c.text == limited) return false;
    c.text = limited;
    Notify(c, AspectValue);
    CtrlAction(c);
    return true;
}

void MixerViewModel::SetColour(MixerControl& c, Colour colour) {
    if (c.colour == colour) return;
    c.colour = colour;
    Notify(c, AspectColour);
}

void MixerViewModel::SetStatusColour(MixerControl& c, TrackStatus status) {
    c.value = static_cast<int>(status);
    c.colour = status == TrackStatus::Record ? colours::Red : status == TrackStatus::Play ? colours::Green : colours::Grey;
    Notify(c, AspectValue | AspectColour);
}

bool MixerViewModel::SetPosition(const std::string& name, int position) {
    MixerControl& c = Named(name);
    if (!c.IsSlider()) throw std::invalid_argument("\"" + name + "\" is no slider");
    return SetValueRaising(c, position);
}

bool MixerViewModel::SetChecked(const std::string& name, bool checked) {
    MixerControl& c = Named(name);
    if (!c.IsCheckBox()) throw std::invalid_argument("\"" + name + "\" is no check box");
    return SetValueRaising(c, checked);
}

bool MixerViewModel::SetText(const std::string& name, const std::string& text) {
    MixerControl& c = Named(name);
    if (c.kind != ControlKind::FileField) throw std::invalid_argument("\"" + name + "\" is no edit field");
    return SetTextRaising(c, text);
}

// --- The change handler ---------------------------------------------------------------

void MixerViewModel::CtrlAction(MixerControl& c) {
    // One change, with all it propagates to, is one undo step.
    DocumentStep step(doc_);
    if (IsAllStrip(c) && CarriesAllStripOperation(c)) {
        PropagateAllStrip(c);
        doc_.NameStep(AllStripStepName(c));
        return;
    }
    if (!changeHandling_) return;
    std::string from = StepValueText(doc_.ZDTData(), c);
    WriteControlValue(c);
    doc_.NameStep(ControlStepName(c, from, StepValueText(doc_.ZDTData(), c)));
}

void MixerViewModel::PanelClick() {
    if (changeHandling_) doc_.MarkChanged();
}

int MixerViewModel::AltReset(MixerControl& slider) {
    // Only a change the user makes resets; reading or saving with Alt held must not.
    if (!bulk_ && dialogs_.Keys().alt) SetValueRaising(slider, slider.element->defaultValue);
    return slider.value;
}

void MixerViewModel::WriteControlValue(MixerControl& c) {
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    if (c.isProjectName) {
        std::string name = TrimBlanks(c.text);
        actions_->ShowProjectName(name);
        std::string padded = name.substr(0, layout::ProjectNameLength);
        padded.resize(layout::ProjectNameLength, '\0');
        doc_.WriteZDTString(t, padded);
        return;
    }
    switch (c.kind) {
        case ControlKind::StatusShape:
            WriteTrackStatus(doc_, k, c.Status(), t);
            UpdateControlHint(c);
            break;
        case ControlKind::FileField:
            WriteWavName(doc_, t, c.text);
            UpdateControlHint(c);
            if (!doc_.IsLoadingZDT && !doc_.IsSavingZDT && !bulk_) BuildWavList();
            break;
        case ControlKind::StereoBox:
            WriteStereoLink(doc_, k, c.Checked());
            ApplyStereoLink(k, c.Checked(), true);
            break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
            ColourCheckBox(c);
            doc_.WriteZDTByte(t, c.Checked() ? 1 : 0);
            break;
        case ControlKind::SendBox:
            ColourCheckBox(c);
            WriteMaskBit(doc_, t, k, c.Checked());
            break;
        case ControlKind::Slider:
        case ControlKind::GainSlider: {
            int position = AltReset(c);
            doc_.WriteZDTByte(t, static_cast<std::uint8_t>(SliderRaw(*c.element, position) & 0xFF));
            UpdateControlHint(c);
            if (!bulk_ && observer_) observer_->ShowHintNow(c);
            break;
        }
        default: break;
    }
}

void MixerViewModel::ReadControlValue(MixerControl& c) {
    int k = c.TagStrip();
    std::size_t t = c.Offset();
    int b = doc_.ReadByte(t);
    switch (c.kind) {
        case ControlKind::StatusShape:
            SetStatusColour(c, ReadTrackStatus(doc_.ZDTData(), k, t));
            UpdateControlHint(c);
            break;
        case ControlKind::FileField:
            SetTextRaising(c, ReadWavName(doc_.ZDTData(), t));
            UpdateControlHint(c);
            break;
        case ControlKind::StereoBox:
            SetValueRaising(c, (b & TrackBitMask(k / 2)) != 0);
            ApplyStereoLink(k, c.Checked(), false);
            break;
        case ControlKind::BandBox:
        case ControlKind::InvertBox:
            SetValueRaising(c, b != 0);
            SetColour(c, c.Checked() ? colours::Red : colours::Grey);
            break;
        case ControlKind::SendBox: SetValueRaising(c, ReadMaskBit(doc_.ZDTData(), t, k)); break;
        case ControlKind::GainSlider:
        case ControlKind::Slider:
            SetValueRaising(c, SliderPosition(*c.element, b));
            UpdateControlHint(c);
            break;
        default: break;
    }
}

void MixerViewModel::ReadAllControls() {
    if (!doc_.IsProject()) return;
    bulk_ = true;
    for (int k = 0; k < trackCount_; ++k)
        for (const std::string& prefix : TrackTransferOrder()) ReadControlValue(Ctl(k, prefix));
    // The master name is shown, never written back.
    MixerControl& master = Ctl(trackCount_, "EDFileAss_");
    master.text = ReadWavName(doc_.ZDTData(), master.Offset());
    UpdateControlHint(master);
    Notify(master, AspectValue);
    SetTextRaising(controls_[0], TrimControlChars(doc_.ReadString(layout::ProjectNameOffset, layout::ProjectNameLength)));
    bulk_ = false;
    BuildWavList();
    for (int k = 0; k < trackCount_; ++k)
        if (Ctl(k, "CBStereo_").Checked()) ApplyStereoLink(k, true, false);
    RebuildInfoLine();
}

void MixerViewModel::WriteAllControls() {
    bulk_ = true;
    for (int k = 0; k < trackCount_; ++k)
        for (const std::string& prefix : TrackTransferOrder()) WriteControlValue(Ctl(k, prefix));
    WriteControlValue(Ctl(trackCount_, "EDFileAss_"));
    std::string name = TrimBlanks(controls_[0].text).substr(0, layout::ProjectNameLength);
    doc_.WriteZDTString(layout::ProjectNameOffset, name);
    bulk_ = false;
    if (!doc_.IsLoadingZDT && !doc_.IsSavingZDT) BuildWavList();
}

// --- Display --------------------------------------------------------------------------

void MixerViewModel::ColourCheckBox(MixerControl& box) {
    Colour on = box.kind == ControlKind::StereoBox || box.kind == ControlKind::InvertBox ? colours::Red : colours::Blue;
    SetColour(box, box.Checked() ? on : colours::Grey);
    std::string prefix = box.element->prefix;
    if (box.kind == ControlKind::BandBox) UpdateControlHint(Ctl(box.strip, "TB" + prefix.substr(2)));
    if (box.kind == ControlKind::SendBox) UpdateControlHint(Ctl(box.strip, "TB" + prefix.substr(2)));
}

void MixerViewModel::UpdateControlHint(MixerControl& c) {
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
            if (c.kind == ControlKind::GainSlider && !Ctl(c.strip, "CB" + prefix.substr(2)).Checked())
                reference = c.value;
            if ((prefix == "TBReverb_" || prefix == "TBChorus_") && !Ctl(c.strip, "CB" + prefix.substr(2)).Checked())
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

void MixerViewModel::UpdateAllHints() {
    for (int k = 0; k <= trackCount_; ++k)
        for (std::size_t i = 0; i < SpecCount(); ++i) UpdateControlHint(Ctl(k, i));
    // The all-strip's label is a text of the language too.
    MixerControl& allStripLabel = Ctl(trackCount_, "LabelTrackNr_");
    if (allStripLabel.caption != Txt(229)) {
        allStripLabel.caption = Txt(229);
        Notify(allStripLabel, AspectCaption);
    }
    RebuildInfoLine();
}

void MixerViewModel::ApplyStereoLink(int k, bool linked, bool refresh) {
    MixerControl& box = Ctl(k, "CBStereo_");
    if (box.value != static_cast<int>(linked)) {
        box.value = linked;
        Notify(box, AspectValue);
    }
    SetColour(box, linked ? colours::Red : colours::Grey);
    int partner = k | 1;
    // The all-strip is nobody's partner, even when the track count is odd.
    if (k < trackCount_ && partner < trackCount_) {
        MixerControl& field = Ctl(partner, "EDFileAss_");
        if (field.enabled == linked) {
            field.enabled = !linked;
            Notify(field, AspectEnabled);
        }
        StripState& s = strips_[static_cast<std::size_t>(partner)];
        Colour colour = linked ? colours::Maroon : StripPanelColour(partner, false);
        if (s.enabled == linked || !(s.panelColour == colour)) {
            s.enabled = !linked;
            s.panelColour = colour;
            NotifyStrip(partner);
        }
    }
    if (refresh) BuildWavList();
}

}  // namespace spurwerk
