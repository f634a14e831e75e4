#pragma once
// Text forms of booleans and colours as the settings files store them.

#include <cstdint>
#include <optional>
#include <string>

namespace spurwerk {

std::string BoolToStrVal(bool value);
// True for "1", "TRUE", "T", "*", "X", "WAHR", "W", "N", "U", "S" (any case).
bool StrToBoolVal(const std::string& text);

// Colours are 0x00BBGGRR values as the original toolkit stores them; system
// colours are 0xFF0000nn.
std::string ColorToStrVal(std::int32_t colour);
// Empty -> 0; a colour name; decimal; "$" hexadecimal. nullopt for anything else.
std::optional<std::int32_t> StrToColorVal(const std::string& text);

// Parses a decimal integer, or hexadecimal after "$" or "0x"/"0X", with
// surrounding blanks; nullopt when it is none or out of range.
std::optional<std::int64_t> ParseIntegerText(const std::string& text);

}  // namespace spurwerk
