#pragma once
// What the recorder refuses to play: one table of rules over a WAV file's
// header and name, each with a stable code for scripts and a reason the
// user reads. The mixer's WAV list, the project list, the file picker and
// the command line all mark files from here.

#include <string>
#include <vector>

#include "audio/sample_reader.h"
#include "settings/ui_texts.h"

namespace spurwerk {

enum class RecorderRule {
    Unreadable,      // no WAV header we can read
    NotPcm,          // compressed or floating point samples
    SampleRate,      // not 44.1 kHz
    BitDepth,        // not 16 or 24 bits
    Channels,        // more than two channels
    NameLength,      // more than 8 characters before ".WAV"
    NameCharacters,  // a character outside the picker's name rule
};

struct RecorderRuleEntry {
    RecorderRule rule;
    const char* code;  // JSON: "notPcm", "sampleRate", ...
    UiText reason;     // the user's text
};

// Every rule in the order marks list them.
const std::vector<RecorderRuleEntry>& RecorderRules();
const RecorderRuleEntry& RecorderRuleOf(RecorderRule rule);

constexpr std::uint32_t RecorderSampleRate = 44100;
constexpr std::size_t RecorderNameLength = 8;

// Whether the picker's name rule allows the byte: "-", "_", blank, 0-9, A-Z, a-z.
bool IsRecorderNameCharacter(unsigned char c);
// At most eight name characters of `text` (".WAV" dropped), each one the rule
// does not allow (a multi-byte character counts once) replaced by "_".
std::string RecorderNameCharacters(const std::string& text);

// The rules a file of this name and layout breaks; empty when the recorder plays it.
std::vector<RecorderRule> RecorderRefusals(const std::string& fileName, const WavLayout& layout);
// The same for a file on disk (reads its header only).
std::vector<RecorderRule> RecorderRefusalsOfFile(const std::string& path);

// "  * reason; reason" after a list line, empty without refusals.
std::string RecorderRefusalMark(const std::vector<RecorderRule>& refusals);

}  // namespace spurwerk
