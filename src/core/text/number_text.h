#pragma once
// Whole numbers typed by the user or read from settings files.

#include <cstdint>
#include <optional>
#include <string_view>

namespace spurwerk {

enum class IntegerForms { Decimal, DecimalOrHex };

// Parses a decimal integer with an optional sign, or with DecimalOrHex also a
// hexadecimal one after "$" or "0x"/"0X"; surrounding whitespace is ignored.
// nullopt when it is none or out of range.
std::optional<std::int64_t> ParseIntegerText(std::string_view text, IntegerForms forms = IntegerForms::DecimalOrHex);

// A decimal integer in the range of int.
std::optional<int> ParseInt(std::string_view text);

}  // namespace spurwerk
