#pragma once
// Values shown in their units: pan, EQ quality, times, sizes, effect labels.

#include <cstdint>
#include <string>

#include "io/file_io.h"

namespace spurwerk {

// One decimal from a count of tenths, the integer part zero-padded to
// `integerDigits` ("0.0" pattern: 5 -> "0.5"; "00.0": 80 -> "08.0").
std::string FormatTenths(std::int64_t tenths, int integerDigits = 1);

// "C" at 50, else "L"/"R" and 2 * |raw - 50|: 0 -> "L100", 60 -> "R20".
std::string PanText(int raw);
// (raw + 1) / 10 with one decimal: 4 -> "0.5".
std::string QualityText(int raw);
// Right-aligned time: 3723456 -> "1h02m03s456", 65000 -> "   1m05s   ".
// Hours go on counting past 24; a negative time shows as 0.
std::string MillisecondsText(std::int64_t ms);
// n >= 1 MiB: n / 1048576 with one decimal + "M", else n / 1024 + "k"; padded
// with blanks in front to at least `width`. Rounds halves away from zero.
std::string SizeText(std::int64_t bytes, int width = 0);

// "(OFF, name)" or "name", then "; " + number + "(?)".
std::string EffectText(bool off, const std::string& name, int number);

// The three effect labels of a project: insert, chorus send, reverb send.
struct EffectLabels {
    std::string insert;
    std::string chorus;
    std::string reverb;
};
// From the effects file's bytes (nullptr: no effects file) and the project's
// insert position byte. A name the bytes do not hold whole reads "xxxxxxxx",
// a missing number byte 0; a name ends at its first NUL.
EffectLabels BuildEffectLabels(const Bytes* efxData, int insertPositionByte);
// Reads the file when it exists (only the bytes needed); throws FileError when
// it exists but cannot be read.
EffectLabels ReadEffectLabels(const std::string& efxPath, int insertPositionByte);

}  // namespace spurwerk
