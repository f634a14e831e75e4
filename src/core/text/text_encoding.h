#pragma once
// Text inside the program is UTF-8. Files written by other installations are
// Windows-1252 (the ANSI code page of the original platform); these helpers
// convert between the two and decide how a text file is read and written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/bytes.h"

namespace spurwerk {

bool IsValidUtf8(std::string_view bytes);

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined map to the control characters of the same number.
std::string Windows1252ToUtf8(std::string_view bytes);

// nullopt when some character has no Windows-1252 byte (or the text is not
// valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// Replaces every byte that is not part of a valid UTF-8 sequence by its
// Windows-1252 character, so that the result is always valid UTF-8.
std::string SanitizeUtf8(std::string_view bytes);

// Bytes of a path as text that leads back to them: unchanged when valid UTF-8;
// otherwise every byte outside a valid UTF-8 sequence, and every backslash,
// becomes "\xHH" (two upper-case hex digits), the rest stays as it is.
std::string EscapeNonUtf8Bytes(std::string_view bytes);
// The bytes an escaped text stands for: its "\xHH" escapes decoded. nullopt
// when the text holds no escape or the decoded bytes are valid UTF-8 (then the
// text was never made by EscapeNonUtf8Bytes and means itself).
std::optional<std::string> UnescapeNonUtf8Bytes(std::string_view text);

// A file's bytes as text: UTF-8 (an optional BOM removed) when valid,
// otherwise Windows-1252.
std::string DecodeTextBytes(const Bytes& bytes);

// A text as file bytes: Windows-1252 when every character fits, otherwise
// UTF-8 with BOM.
Bytes EncodeTextBytes(std::string_view text);

// Bytes of the UTF-8 sequence a lead byte starts: 2 to 4, or 1 for an ASCII
// byte and for a byte that starts no sequence.
std::size_t Utf8SequenceLength(unsigned char leadByte);
// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);
// The first `count` characters, never cutting a character in two.
std::string Utf8Prefix(std::string_view utf8, std::size_t count);

}  // namespace spurwerk
