#pragma once
// Each value format of the strip-element table in both directions: a raw value
// as text and as a number in its unit, text parsed back to a raw value, the
// slider position the mixer shows for a raw value and the raw value a position
// writes, and the value part of a slider's hint.
//
// A raw value is what the file holds: the byte of a slider, band or invert box;
// 0/1 for a mask bit; 0 off, 1 play, 2 record for a status (TrackStatus).

#include <optional>
#include <string>
#include <vector>

#include "project/track_layout.h"

namespace spurwerk {

// "dB", "%", "Hz", or "" for formats without a unit.
const char* UnitText(ValueFormat format);
// The band's frequency table of a frequency format, otherwise nullptr.
const std::vector<int>* FrequencyTable(ValueFormat format);

// The raw value as it stands, in the form the track summary shows ("R", "X",
// "L20", "-6", "127", "8000", "0.5"). Only a frequency index past its table is
// held at the table's end, since nothing defines it.
std::string ValueText(ValueFormat format, int raw);
// The raw value in its unit: pan -100 (left) .. 100 (right), gain in dB,
// level in percent, frequency in Hz, quality 0.1 .. 1.0; status and boxes raw.
double UnitValue(ValueFormat format, int raw);

// The raw value of a text in the form ValueText gives (letters in either case,
// quality with "." or ","), within the element's range; nullopt otherwise.
// Not for WavName.
std::optional<int> ParseValueText(const StripElement& element, const std::string& text);
// What ParseValueText accepts, for an error message about the parameter
// `name`: "Reverb[v] takes X (on) or - (off)", in the command line's language.
std::string AcceptedValuesText(const StripElement& element, const std::string& name);

// The slider position that shows a raw value, held in the slider's range (a
// gain slider runs upside down: position = 12 - raw). Other elements: raw.
int SliderPosition(const StripElement& element, int raw);
// The raw value a slider position writes.
int SliderRaw(const StripElement& element, int position);
// A stored byte held in the range its control can show (boxes 0..1, sliders
// their range): what the mixer writes back for an out-of-range byte.
int ClampToStoredRange(const StripElement& element, int raw);

// The value the mixer shows for a stored byte, in the form of ValueText, with
// the byte itself beside it when the mixer clamps it: "127(raw 200)",
// "18000(raw 20)", "X(raw 5)". The same mark for every format.
std::string ShownValueText(const StripElement& element, int raw);

// The value part of a slider's hint for a position: "Pan:  L20", "-3db ",
// "Freq.: 8000 Hz \n(Default: 8000 Hz) ", ...
std::string SliderValueHint(const StripElement& element, int position);

}  // namespace spurwerk
