// The recorder's refusals against WAV files built here with each fault, and
// the name rule the picker and the import share.

#include <gtest/gtest.h>

#include <set>

#include "audio/recorder_rules.h"
#include "settings/ui_texts.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk {
namespace {

using namespace testing;
using Rules = std::vector<RecorderRule>;

struct RefusalCase {
    const char* name;
    std::string fileName;
    WavShape shape;
    Rules expected;
};

TEST(RecorderRulesTest, EachFaultGivesItsRule) {
    const WavShape cd{.rate = 44100};
    const std::vector<RefusalCase> cases = {
        {"16-bit mono 44.1 kHz", "MONO-000.WAV", cd, {}},
        {"24-bit stereo, lower-case name and extension", "back ing.wav", {.channels = 2, .rate = 44100, .bits = 24}, {}},
        {"eight characters", "ABCDEFGH.WAV", cd, {}},
        {"extensible PCM", "EXT.WAV", {.rate = 44100, .extensible = true}, {}},
        {"48 kHz", "A.WAV", {}, {RecorderRule::SampleRate}},
        {"22.05 kHz", "A.WAV", {.rate = 22050}, {RecorderRule::SampleRate}},
        {"8 bits", "A.WAV", {.rate = 44100, .bits = 8}, {RecorderRule::BitDepth}},
        {"32-bit integer", "A.WAV", {.rate = 44100, .bits = 32}, {RecorderRule::BitDepth}},
        {"float", "A.WAV", {.rate = 44100, .bits = 32, .isFloat = true}, {RecorderRule::NotPcm}},
        {"three channels", "A.WAV", {.channels = 3, .rate = 44100}, {RecorderRule::Channels}},
        {"six channels at 48 kHz", "A.WAV", {.channels = 6}, {RecorderRule::SampleRate, RecorderRule::Channels}},
        {"nine characters", "ABCDEFGHI.WAV", cd, {RecorderRule::NameLength}},
        {"a dot in the name", "A.B.WAV", cd, {RecorderRule::NameCharacters}},
        {"umlaut, six characters", "Grün-1.WAV", cd, {RecorderRule::NameCharacters}},
        {"umlauts count once: eight characters", "ÄÖÜäöüßx.WAV", cd, {RecorderRule::NameCharacters}},
        {"long with umlaut", "Gesang-Übung.WAV", cd, {RecorderRule::NameLength, RecorderRule::NameCharacters}},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir / "T.WAV", BuildWav(c.shape, Bytes(40, 0)));
        EXPECT_EQ(RecorderRefusals(c.fileName, ReadWavLayout((dir / "T.WAV").string())), c.expected);
    }
}

TEST(RecorderRulesTest, FilesThatAreNoPlainWav) {
    TempDir dir;
    WriteText(dir / "MP3.WAV", "ID3\x03 this is no RIFF file at all");
    Bytes compressed = BuildWav({.rate = 44100}, Bytes(40, 0));
    compressed[20] = 0x55;  // format tag: MPEG layer 3
    WriteBytes(dir / "MPEG.WAV", compressed);
    WriteBytes(dir / "EMPTY.WAV", {});
    EXPECT_EQ(RecorderRefusalsOfFile((dir / "MP3.WAV").string()), Rules{RecorderRule::Unreadable});
    EXPECT_EQ(RecorderRefusalsOfFile((dir / "EMPTY.WAV").string()), Rules{RecorderRule::Unreadable});
    EXPECT_EQ(RecorderRefusalsOfFile((dir / "MISSING.WAV").string()), Rules{RecorderRule::Unreadable});
    EXPECT_EQ(RecorderRefusalsOfFile((dir / "MPEG.WAV").string()), Rules{RecorderRule::NotPcm});
}

TEST(RecorderRulesTest, MarkListsReasonsInTableOrder) {
    InitUiTexts();
    EXPECT_EQ(RecorderRefusalMark({}), "");
    EXPECT_EQ(RecorderRefusalMark({RecorderRule::SampleRate, RecorderRule::NameLength}),
              "  * nicht 44,1 kHz; Name länger als 8 Zeichen");
    // Every rule has its own code and text.
    std::set<std::string> codes, texts;
    for (const RecorderRuleEntry& entry : RecorderRules()) {
        codes.insert(entry.code);
        texts.insert(UiTxt(entry.reason));
        EXPECT_EQ(RecorderRuleOf(entry.rule).code, std::string(entry.code));
    }
    EXPECT_EQ(codes.size(), RecorderRules().size());
    EXPECT_EQ(texts.size(), RecorderRules().size());
}

TEST(RecorderRulesTest, NameCharactersFollowThePickerRule) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"BACKING.WAV", "BACKING"},
        {"backing track.wav", "backing "},
        {"Grüße.mp3", "Gr__e_mp"},
        {"a.b", "a_b"},
        {"ÄÖÜäöüßxyz", "_______x"},
        {"x-_ 9Z", "x-_ 9Z"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(RecorderNameCharacters(text), expected) << text;
}

}  // namespace
}  // namespace spurwerk
