#pragma once
// The look of a mixer strip: pixel geometry, captions, fonts and colours of the
// strip elements, keyed by the prefixes of the layout table so that the strip
// stays one table. Window-level sizes (strips panel, fitting) are here too.

#include <optional>
#include <string>
#include <vector>

#include "mixer/mixer_control.h"

namespace spurwerk {

namespace strip {
constexpr int Width = 72;
constexpr int Height = 578;
constexpr int TopPanelHeight = 64;
constexpr int EqPanelHeight = 260;
constexpr int SeparatorHeight = 2;
constexpr int BottomPanelHeight = 252;
constexpr int RowBoxWidth = 60;
constexpr int BankGap = 4;
constexpr int LabelHeight = 18;
constexpr int StatusSize = 14;
constexpr int BandOrderLabelTop = 70;
// Height of the band order label; the platform's font decides the exact value.
constexpr int BandOrderLabelHeight = 13;
}  // namespace strip

struct FontLook {
    std::string family;   // empty: the parent's font
    int size = 0;         // 0: the parent's size
    bool bold = false;
    bool underline = false;
};

// The look of one strip element on strip k (all-strip when allStrip).
struct ElementLook {
    Geometry geometry;
    std::string caption;
    bool captionLeft = false;      // row boxes whose caption stands left of the box
    Colour colour = colours::Grey;
    Colour fontColour = colours::White;
    FontLook font;
    bool vertical = false;          // band gain sliders
};

ElementLook StripElementLook(const StripElement& element, int stripIndex, bool allStrip, bool reverseEqToLMH);

// Left edge of strip k in the strips panel (the all-strip sits at 0 in its own panel).
int StripLeft(int stripIndex);
// Panel colour of a strip: black for tracks 1-8, dark grey above, silver for the all-strip.
Colour StripPanelColour(int stripIndex, bool allStrip);
// The colour a track label, status shape or box shows for its value and flags
// on a strip of that panel colour; nullopt for controls whose colour is their
// look's (sliders, caption-only boxes) or the file list's (file fields).
std::optional<Colour> StateColour(const MixerControl& control, Colour panelColour);
// Width of PanelCtrls for a track count.
int StripsPanelWidth(int trackCount);
// Client width that shows every strip and the all-strip.
int FittedClientWidth(int trackCount);
// Whether the red "Zeige alle Tracks!" panel shows for a visible strip area.
bool NeedsMoreTracksHint(int visibleAreaWidth, int trackCount);
// Left edge of the strips panel for a scroll position (scrolls to the left).
int ScrolledStripsLeft(int visibleAreaWidth, int trackCount, int position, int maximum);

// "H   M   L", or "L   M   H" when the screen order is reversed.
std::string BandOrderCaption(bool reverseEqToLMH);

// The file picker panel: top edge below strip k's top sub-panel, left edge at
// the strip's left, moved left until the panel fits into the strips panel.
struct PickerPlacement {
    int left = 0, top = 0, height = 0;
};
PickerPlacement PlaceFilePicker(int stripIndex, int trackCount, int panelWidth, int fileCount, int itemHeight,
                                int buttonAreaHeight);

// The twenty items a track drag moves, in their order (prefixes).
const std::vector<Element>& TrackTransferOrder();

}  // namespace spurwerk
