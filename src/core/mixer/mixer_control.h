#pragma once
// One control of the mixer window as the view-model holds it: what a front end
// needs to draw it (value, caption, colour, hint, enabled, visible, geometry)
// and what the mixer needs to bind it (name, kind, parameter tag, range).

#include <cstdint>
#include <string>

#include "project/track_layout.h"
#include "ui/dialogs.h"

namespace spurwerk {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    // The platform's window colour (fields) or window text colour (labels);
    // r, g, b are then meaningless.
    bool system = false;

    friend bool operator==(const Colour& a, const Colour& b) {
        return a.system == b.system && (a.system || (a.r == b.r && a.g == b.g && a.b == b.b));
    }
};

namespace colours {
constexpr Colour Black{0, 0, 0};
constexpr Colour White{255, 255, 255};
constexpr Colour Red{255, 0, 0};
constexpr Colour Green{0, 255, 0};
constexpr Colour Blue{0, 0, 255};
constexpr Colour Grey{128, 128, 128};
constexpr Colour DarkGrey{96, 96, 96};
constexpr Colour Silver{192, 192, 192};
constexpr Colour Maroon{128, 0, 0};
constexpr Colour Yellow{255, 255, 0};
constexpr Colour Lilac{0xFE, 0xD7, 0xFD};
constexpr Colour Window{0, 0, 0, true};
}  // namespace colours

// Where a control sits; positions are relative to this parent.
enum class ControlParent {
    TopSubPanel,
    EqSubPanel,
    BottomSubPanel,
    StripsPanel,        // PanelCtrls (the stereo boxes reach across strip borders)
    AllStripPanel,      // PanelCtrlAll
    MasterFilePanel,    // PanelMasterTrackFileAss in the window's top panel
    TopPanel,           // EditProjName
};

struct Geometry {
    ControlParent parent = ControlParent::TopSubPanel;
    int left = 0, top = 0, width = 0, height = 0;
};

// Parts of a control a front end repaints; an observer gets them as bits.
enum ControlAspect : unsigned {
    AspectValue = 1,       // position, checked state, status, text
    AspectColour = 2,
    AspectHint = 4,
    AspectEnabled = 8,
    AspectVisible = 16,
    AspectCaption = 32,
    AspectChangeMark = 64,
    AspectGeometry = 128,
    AspectAll = 255,
};

struct MixerControl {
    std::string name;                 // "TBPan_3", "EditProjName"
    const StripElement* element = nullptr;  // nullptr for EditProjName
    ControlKind kind = ControlKind::TrackLabel;
    bool isProjectName = false;
    int strip = 0;                    // strip index (EditProjName: 0)
    std::uint32_t tag = 0;            // strip << 24 | offset

    int value = 0;                    // slider position, 0/1 checked, status (TrackStatus)
    std::string text;                 // file fields and the project name
    int minimum = 0, maximum = 0;     // sliders
    bool changeMark = false;          // slider selection covers the whole track
    bool marked = true;               // track labels: the track takes all-strip changes
    bool fromFile = false;            // boxes: the value was read from the file, not changed since

    // Box, field, label background or status fill. Labels, statuses and boxes
    // never hold a colour of their own: it follows from value and flags
    // (StateColour) whenever the control changes.
    Colour colour = colours::Grey;
    Colour fontColour = colours::White;
    std::string caption;
    std::string hint;
    bool enabled = true;
    bool visible = true;
    Geometry geometry;

    std::size_t Offset() const { return tag & 0xFFFFFFu; }
    int TagStrip() const { return static_cast<int>(tag >> 24); }
    bool IsSlider() const { return kind == ControlKind::Slider || kind == ControlKind::GainSlider; }
    bool IsCheckBox() const {
        return kind == ControlKind::RowBox || kind == ControlKind::StereoBox || kind == ControlKind::BandBox ||
               kind == ControlKind::SendBox || kind == ControlKind::InvertBox;
    }
    bool Checked() const { return value != 0; }
    TrackStatus Status() const { return static_cast<TrackStatus>(value); }
};

// The tracks an all-strip change reaches: all, 1-8 (Ctrl held) or 9-16 (Shift held).
enum class BankRange { All, Bank1, Bank2 };
// The bank the modifiers of an input event choose; Ctrl wins over Shift.
inline BankRange BankOf(KeyState keys) {
    return keys.ctrl ? BankRange::Bank1 : keys.shift ? BankRange::Bank2 : BankRange::All;
}

inline std::uint32_t MakeTag(int strip, std::size_t offset) {
    return (static_cast<std::uint32_t>(strip) << 24) | static_cast<std::uint32_t>(offset & 0xFFFFFFu);
}

}  // namespace spurwerk
