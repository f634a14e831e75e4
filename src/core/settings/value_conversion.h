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

}  // namespace spurwerk
