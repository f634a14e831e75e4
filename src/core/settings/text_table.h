#pragma once
// The numbered message texts 100..300. Messages are joined from these pieces
// and run-time values; a language file replaces them all at once.

#include <array>
#include <string>

namespace spurwerk {

constexpr int FirstTextNumber = 100;
constexpr int LastTextNumber = 300;
constexpr int TextCount = LastTextNumber - FirstTextNumber + 1;

// Sets all 201 texts to their German defaults.
void InitResStrArr();
// Text `number` (UTF-8); an empty text for numbers outside 100..300.
const std::string& Txt(int number);
void SetTxt(int number, const std::string& text);
// The built-in German default of a text.
const std::string& DefaultTxt(int number);

// Replaces every `lineBreak` by "<BR>".
std::string EncodeBR(const std::string& text, const std::string& lineBreak);
// Replaces every "<BR>", in any letter case, by `lineBreak`.
std::string DecodeBR(const std::string& text, const std::string& lineBreak);

}  // namespace spurwerk
