#include "mixer/strip_layout.h"

#include <algorithm>
#include <map>

#include "settings/text_table.h"

namespace spurwerk {

namespace {

using P = ControlParent;

struct RowLook {
    ControlParent parent;
    int top;
    int height;
    const char* caption;
    bool captionLeft;
    bool smallFont;   // "Arial" 7 like the invert box
};

// Row boxes and row sliders: parent sub-panel, top, caption.
const std::map<Element, RowLook>& RowLooks() {
    using E = Element;
    static const std::map<Element, RowLook> looks = {
        {E::PanRow, {P::EqSubPanel, 1, 14, "L    Pan:    R", true, false}},
        {E::Pan, {P::EqSubPanel, 4, 20, "", false, false}},
        {E::EqTitleRow, {P::EqSubPanel, 52, 14, "  Equalizer:  ", true, false}},
        {E::ReverbOn, {P::BottomSubPanel, 4, 14, "Reverb", false, false}},
        {E::Reverb, {P::BottomSubPanel, 8, 20, "", false, false}},
        {E::ChorusOn, {P::BottomSubPanel, 36, 14, "Chorus", false, false}},
        {E::Chorus, {P::BottomSubPanel, 40, 20, "", false, false}},
        {E::FaderRow, {P::BottomSubPanel, 84, 14, "Main-Fader:", true, false}},
        {E::Fader, {P::BottomSubPanel, 88, 20, "", false, false}},
        {E::Invert, {P::BottomSubPanel, 114, 14, "Invert", false, true}},
        {E::HighHzRow, {P::BottomSubPanel, 140, 16, "EQ-High:  Hz:", true, true}},
        {E::HighHz, {P::BottomSubPanel, 142, 20, "", false, false}},
        {E::MidHzRow, {P::BottomSubPanel, 168, 16, "EQ-Mid:    Hz:", true, true}},
        {E::MidHz, {P::BottomSubPanel, 170, 20, "", false, false}},
        {E::LowHzRow, {P::BottomSubPanel, 196, 16, "EQ-Low:   Hz:", true, true}},
        {E::LowHz, {P::BottomSubPanel, 198, 20, "", false, false}},
        {E::MidQualRow, {P::BottomSubPanel, 224, 16, "EQ-Mid-Qual.:", true, true}},
        {E::MidQual, {P::BottomSubPanel, 226, 20, "", false, false}},
    };
    return looks;
}

int BandIndex(Element element) {
    switch (element) {
        case Element::EqHighOn:
        case Element::EqHighGain: return 0;
        case Element::EqMidOn:
        case Element::EqMidGain: return 1;
        default: return 2;
    }
}

}  // namespace

ElementLook StripElementLook(const StripElement& element, int stripIndex, bool allStrip, bool reverseEqToLMH) {
    ElementLook look;
    Colour stripColour = StripPanelColour(stripIndex, allStrip);
    switch (element.kind) {
        case ControlKind::TrackLabel:
            look.geometry = {P::TopSubPanel, 0, 0, strip::Width, strip::LabelHeight};
            look.caption = allStrip ? Txt(229) : "Track " + std::to_string(stripIndex + 1);
            look.colour = colours::Blue;
            look.font = {"Arial", allStrip ? 7 : 8, true, true};
            return look;
        case ControlKind::StatusShape:
            look.geometry = {P::TopSubPanel, (strip::Width - strip::StatusSize) / 2, strip::LabelHeight + 6,
                             strip::StatusSize, strip::StatusSize};
            look.colour = colours::Green;
            return look;
        case ControlKind::FileField:
            look.geometry = allStrip ? Geometry{P::MasterFilePanel, 0, 2, 68, 16} : Geometry{P::TopSubPanel, 0, 44, 68, 16};
            look.colour = colours::Window;
            look.fontColour = colours::Window;
            look.font = {"Courier New", 7};
            return look;
        case ControlKind::StereoBox:
            look.geometry = allStrip ? Geometry{P::AllStripPanel, 4, strip::TopPanelHeight + 4 + 20 + 10, 60, 14}
                                     : Geometry{P::StripsPanel, StripLeft(stripIndex) + 36,
                                                strip::TopPanelHeight + 4 + 20 + 10, 80, 14};
            look.caption = allStrip ? "Stereo-L." : "Stereo-Link!";
            return look;
        case ControlKind::BandBox:
        case ControlKind::GainSlider: {
            int band = BandIndex(element.id);
            int p = reverseEqToLMH ? 2 - band : band;
            int boxTop = strip::BandOrderLabelTop + strip::BandOrderLabelHeight + 2;
            if (element.kind == ControlKind::BandBox) {
                look.geometry = {P::EqSubPanel, 8 + 20 * p, boxTop, 12, 12};
            } else {
                look.geometry = {P::EqSubPanel, 20 * p - 1, boxTop + 12, 18, 164};
                look.vertical = true;
            }
            return look;
        }
        default: break;
    }
    auto it = RowLooks().find(element.id);
    if (it == RowLooks().end()) return look;
    const RowLook& row = it->second;
    bool slider = element.kind == ControlKind::Slider;
    look.caption = row.caption;
    look.captionLeft = row.captionLeft;
    if (slider) {
        look.geometry = {row.parent, -2, row.top, strip::Width + 2, 20};
    } else {
        int width = row.captionLeft ? strip::RowBoxWidth + 28 : strip::RowBoxWidth;
        look.geometry = {row.parent, row.captionLeft ? 2 : 4, row.top, width, row.height};
        // Caption-only boxes take the strip's colour so only their caption shows.
        if (row.captionLeft) look.colour = stripColour;
        if (row.smallFont) look.font = {"Arial", 7};
    }
    return look;
}

int StripLeft(int stripIndex) {
    int left = strip::Width * stripIndex;
    if (stripIndex >= 8) left += strip::BankGap;
    if (stripIndex >= 16) left += strip::BankGap;
    return left;
}

Colour StripPanelColour(int stripIndex, bool allStrip) {
    if (allStrip) return colours::Silver;
    return stripIndex < 8 ? colours::Black : colours::DarkGrey;
}

std::optional<Colour> StateColour(const MixerControl& c, Colour panelColour) {
    switch (c.kind) {
        case ControlKind::TrackLabel: return c.marked ? colours::Blue : panelColour;
        case ControlKind::RowBox: return panelColour;  // only the caption shows
        case ControlKind::StatusShape:
            return c.Status() == TrackStatus::Record ? colours::Red
                   : c.Status() == TrackStatus::Play ? colours::Green
                                                     : colours::Grey;
        case ControlKind::StereoBox:
        case ControlKind::InvertBox: return c.Checked() ? colours::Red : colours::Grey;
        // A band shows red as read from the file and blue once changed.
        case ControlKind::BandBox: return !c.Checked() ? colours::Grey : c.fromFile ? colours::Red : colours::Blue;
        case ControlKind::SendBox: return c.Checked() ? colours::Blue : colours::Grey;
        default: return std::nullopt;
    }
}

int StripsPanelWidth(int trackCount) { return trackCount * strip::Width + 6; }

int FittedClientWidth(int trackCount) { return trackCount * strip::Width + strip::Width + 8; }

bool NeedsMoreTracksHint(int visibleAreaWidth, int trackCount) {
    return visibleAreaWidth < StripsPanelWidth(trackCount);
}

int ScrolledStripsLeft(int visibleAreaWidth, int trackCount, int position, int maximum) {
    if (maximum <= 0) return 0;
    return (visibleAreaWidth - StripsPanelWidth(trackCount)) * position / maximum;
}

std::string BandOrderCaption(bool reverseEqToLMH) { return reverseEqToLMH ? "L   M   H" : "H   M   L"; }

PickerPlacement PlaceFilePicker(int stripIndex, int trackCount, int panelWidth, int fileCount, int itemHeight,
                                int buttonAreaHeight) {
    PickerPlacement placement;
    placement.top = strip::TopPanelHeight;
    int right = StripsPanelWidth(trackCount);
    placement.left = std::max(0, std::min(StripLeft(stripIndex), right - panelWidth));
    int height = fileCount * itemHeight + buttonAreaHeight + 36;
    placement.height = std::min(height, strip::Height - placement.top);
    return placement;
}

const std::vector<Element>& TrackTransferOrder() {
    using E = Element;
    static const std::vector<Element> order = {
        E::Status,    E::FileAss,   E::Pan,     E::Stereo,   E::EqHighOn, E::EqMidOn, E::EqLowOn,
        E::EqHighGain, E::EqMidGain, E::EqLowGain, E::ReverbOn, E::Reverb,   E::ChorusOn, E::Chorus,
        E::Fader,     E::Invert,    E::HighHz,  E::MidHz,    E::LowHz,    E::MidQual,
    };
    return order;
}

}  // namespace spurwerk
