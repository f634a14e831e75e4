#include "audio/recorder_rules.h"

#include "io/path_text.h"
#include "text/text_encoding.h"

namespace spurwerk {

namespace {

std::string NameStem(const std::string& fileName) {
    std::string name = ExtractFileName(fileName);
    if (HasFileExt(name, ".WAV")) name.resize(name.size() - 4);
    return name;
}

std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) i += Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    return count;
}

bool Breaks(RecorderRule rule, const std::string& stem, const WavLayout& layout) {
    // A format chunk we could not read tells nothing about rate or depth: only "unreadable" then.
    const bool formatKnown = layout.Ok() || layout.fault == WavFault::UnsupportedFormat;
    switch (rule) {
    case RecorderRule::Unreadable: return !formatKnown;
    case RecorderRule::NotPcm: return formatKnown && (layout.sampleFormat != WavFormatPcm || layout.isFloat);
    case RecorderRule::SampleRate: return formatKnown && layout.sampleRate != RecorderSampleRate;
    case RecorderRule::BitDepth:
        return formatKnown && layout.sampleFormat == WavFormatPcm && !layout.isFloat && layout.bitsPerSample != 16 &&
               layout.bitsPerSample != 24;
    case RecorderRule::Channels: return formatKnown && layout.channels > 2;
    case RecorderRule::NameLength: return CharacterCount(stem) > RecorderNameLength;
    case RecorderRule::NameCharacters:
        for (unsigned char c : stem)
            if (!IsRecorderNameCharacter(c)) return true;
        return stem.empty();
    }
    return false;
}

}  // namespace

const std::vector<RecorderRuleEntry>& RecorderRules() {
    static const std::vector<RecorderRuleEntry> rules = {
        {RecorderRule::Unreadable, "unreadable", UiText::RuleUnreadable},
        {RecorderRule::NotPcm, "notPcm", UiText::RuleNotPcm},
        {RecorderRule::SampleRate, "sampleRate", UiText::RuleSampleRate},
        {RecorderRule::BitDepth, "bitDepth", UiText::RuleBitDepth},
        {RecorderRule::Channels, "channels", UiText::RuleChannels},
        {RecorderRule::NameLength, "nameLength", UiText::RuleNameLength},
        {RecorderRule::NameCharacters, "nameCharacters", UiText::RuleNameCharacters},
    };
    return rules;
}

const RecorderRuleEntry& RecorderRuleOf(RecorderRule rule) {
    for (const RecorderRuleEntry& entry : RecorderRules())
        if (entry.rule == rule) return entry;
    return RecorderRules().front();
}

bool IsRecorderNameCharacter(unsigned char c) {
    return c == '-' || c == '_' || c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

std::string RecorderNameCharacters(const std::string& text) {
    std::string name = text;
    if (HasFileExt(name, ".WAV")) name.resize(name.size() - 4);
    std::string out;
    for (std::size_t i = 0, count = 0; i < name.size() && count < RecorderNameLength; ++count) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        out += IsRecorderNameCharacter(c) ? static_cast<char>(c) : '_';
        i += Utf8SequenceLength(c);
    }
    return out;
}

std::vector<RecorderRule> RecorderRefusals(const std::string& fileName, const WavLayout& layout) {
    const std::string stem = NameStem(fileName);
    std::vector<RecorderRule> refusals;
    for (const RecorderRuleEntry& entry : RecorderRules())
        if (Breaks(entry.rule, stem, layout)) refusals.push_back(entry.rule);
    return refusals;
}

std::vector<RecorderRule> RecorderRefusalsOfFile(const std::string& path) {
    return RecorderRefusals(path, ReadWavLayout(path));
}

std::string RecorderRefusalMark(const std::vector<RecorderRule>& refusals) {
    std::string mark;
    for (RecorderRule rule : refusals) mark += (mark.empty() ? "  * " : "; ") + UiTxt(RecorderRuleOf(rule).reason);
    return mark;
}

}  // namespace spurwerk
