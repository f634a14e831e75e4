#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "io/path_text.h"
#include "settings/commented_ini.h"
#include "settings/ini_file.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

namespace fs = std::filesystem;
using namespace testing;

struct IniFiles : ::testing::Test {
    TempDir dir;
};

TEST_F(IniFiles, ReadsWithPrivateProfileRules) {
    std::string longValue(5000, 'x');
    longValue[2046] = 'y';
    WriteText(dir / "a.ini", "; comment\norphan=before any section\n[ Options ]\n  Name  =   C:\\Tools   \n"
                             "Quoted=\"  padded  \"\nHalf=\"open\nNoEquals line\nname=second one is ignored\n"
                             "Empty=\nEmptyQuotes=\"\"\nLong=" + longValue +
                                 "\n[options]\nLate=in a duplicate section\n");
    IniFile ini(dir / "a.ini");
    const std::pair<const char*, std::string> strings[] = {
        {"NAME", "C:\\Tools"}, {"quoted", "  padded  "}, {"Half", "\"open"}, {"Empty", ""}, {"EmptyQuotes", ""},
        {"Late", "d"},  // only the first section counts
        {"orphan", "d"}, {"NoEquals line", "d"}, {"Long", longValue.substr(0, 2047)},
    };
    for (const auto& [key, value] : strings) EXPECT_EQ(ini.ReadString("OPTIONS", key, "d"), value) << key;
    EXPECT_EQ(ini.ReadString("Missing", "Name", "dflt"), "dflt");
    EXPECT_TRUE(ini.KeyExists("options", "EMPTY"));
    EXPECT_FALSE(ini.KeyExists("Options", "Late"));
}

TEST_F(IniFiles, IntegersInDecimalOrHexWithinRange) {
    WriteText(dir / "i.ini", "[S]\nNumber=$1F\nHex=0x10\nJunk=12abc\nHuge=99999999999\nMax=2147483647\n");
    IniFile ini(dir / "i.ini");
    const std::pair<const char*, int> cases[] = {
        {"Number", 31}, {"Hex", 16}, {"Junk", 7}, {"Huge", 7}, {"Max", 2147483647}, {"Missing", 7},
    };
    for (const auto& [key, value] : cases) EXPECT_EQ(ini.ReadInteger("S", key, 7), value) << key;
}

TEST_F(IniFiles, WritesInPlaceAndKeepsEverythingElse) {
    WriteText(dir / "a.ini", "; keep me\r\n[Options]\r\nName=old ; trailing remark is part of the value\r\n"
                             "Unknown=stays\r\n\r\n; about the next section\r\n[Next]\r\nx=1");
    IniFile ini(dir / "a.ini");
    ini.WriteString("options", "NAME", "new");
    ini.WriteString("Options", "Added", "v");
    ini.WriteString("Fresh", "k", "1");
    ini.Flush();
    EXPECT_EQ(ReadText(dir / "a.ini"),
              "; keep me\r\n[Options]\r\nName=new\r\nUnknown=stays\r\nAdded=v\r\n\r\n"
              "; about the next section\r\n[Next]\r\nx=1\r\n\r\n[Fresh]\r\nk=1\r\n");

    // Writing what the file holds already leaves it untouched, line ends and all.
    WriteText(dir / "u.ini", "[S]\nK=1\n");
    IniFile same(dir / "u.ini");
    same.WriteString("s", "k", "1");
    same.Flush();
    EXPECT_EQ(ReadText(dir / "u.ini"), "[S]\nK=1\n");
}

// Reads between writes on one object see every write: an insertion moves
// the lines below it, a new section appears, an update replaces the value.
TEST_F(IniFiles, ReadsAfterWritesOnTheSameFileSeeTheWrites) {
    WriteText(dir / "w.ini", "[A]\nk1=a1\nk2=a2\n[B]\nk1=b1\n");
    IniFile ini(dir / "w.ini");
    const struct {
        const char* section;
        const char* key;
        const char* value;  // nullptr: only read
    } steps[] = {
        {"A", "k2", nullptr}, {"A", "new", "inserted"}, {"B", "k1", nullptr}, {"C", "k", "fresh"},
        {"b", "K1", "updated"}, {"A", "k2", nullptr},
    };
    for (const auto& step : steps)
        if (step.value) ini.WriteString(step.section, step.key, step.value);
        else EXPECT_NE(ini.ReadString(step.section, step.key, "?"), "?") << step.key;
    const std::tuple<const char*, const char*, const char*> expected[] = {
        {"A", "k1", "a1"}, {"A", "k2", "a2"}, {"A", "new", "inserted"}, {"B", "k1", "updated"}, {"C", "k", "fresh"},
    };
    for (const auto& [section, key, value] : expected) EXPECT_EQ(ini.ReadString(section, key, "?"), value) << key;
    EXPECT_TRUE(ini.KeyExists("c", "K"));
}

// Blanks, quotes, line breaks (which could inject keys) and characters outside
// Windows-1252 all read back as written.
TEST_F(IniFiles, ValuesComeBackExactlyAsWritten) {
    const std::vector<std::string> values = {"anlegen! ", " lead", "\"both\"", "", "a \"x\" b", "\"",
                                             "x\r<BR>y", "\u00C4\u00D6\u00DC\u00DF", "\u0416"};
    {
        IniFile ini(dir / "v.ini");
        for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString("S", "K" + std::to_string(i), values[i]);
        ini.WriteString("S", "Evil", "a\n[Evil]\nx=1");
        ini.WriteString("S\n[T]", "K2\n", "v");
        ini.Flush();
    }
    IniFile back(dir / "v.ini");
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.ReadString("S", "K" + std::to_string(i), "?"), values[i]) << i;
    EXPECT_EQ(back.ReadString("S", "Evil", ""), "a [Evil] x=1");
    EXPECT_FALSE(back.SectionExists("Evil"));
    EXPECT_FALSE(back.SectionExists("T"));
}

TEST_F(IniFiles, AFileThatCannotBeReadIsNeverReplaced) {
    IniFile missingFolder(dir / "no" / "x.ini");
    missingFolder.WriteString("S", "K", "v");
    EXPECT_THROW(missingFolder.Flush(), FileError);
    EXPECT_TRUE(missingFolder.Modified());  // a later flush tries again

    fs::path big = dir / "big.ini";
    WriteText(big, "[S]\nK=1\n");
    fs::resize_file(big, 17u * 1024u * 1024u);
    IniFile ini(big);
    ASSERT_TRUE(ini.ReadError());
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    ini.WriteString("S", "K", "2");
    EXPECT_THROW(ini.Flush(), FileError);
    EXPECT_EQ(fs::file_size(big), 17u * 1024u * 1024u);
}

TEST(CommentedIni, LineFormatAndFiller) {
    // key, value, comment, line
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // Short lines put the blank of " // " into column 40.
        {"SaveOptionsOnExit", "1", "(BOOL)", "1" + std::string(20, ' ') + " // (BOOL)"},
        {std::string(20, 'K'), "1", "c", "1" + std::string(17, ' ') + " // c"},
        // Longer lines fill up to the next multiple of 40, minus one.
        {std::string(44, 'K'), "x", "c", "x" + std::string(33, ' ') + " // c"},
        {"BaseDirSearch", "C:\\", "", "C:\\"},  // no comment, no filler
    };
    for (const auto& [key, value, comment, line] : cases)
        EXPECT_EQ(CommentedLineValue(key, value, comment, 40), line) << key;
}

TEST(CommentedIni, SplitAndNamedType) {
    const std::pair<const char*, const char*> splits[] = {  // value|comment
        {"1     //   (BOOL) // # hand  ", "1|(BOOL) // # hand"}, {"http://x", "http:|x"},
        {"  plain  ", "  plain  |"},
    };
    for (const auto& [text, parts] : splits) {
        std::string value, comment;
        SplitCommentedValue(text, value, comment);
        EXPECT_EQ(value + "|" + comment, parts) << text;
    }
    const std::pair<const char*, int> types[] = {
        {"", IniTypeString}, {"(bool) // integer", IniTypeBool}, {"x (INTEGER) // (BOOL)", IniTypeInteger},
        {"# Max. 16 f. ZoomR16", -1},
    };
    for (const auto& [comment, type] : types) EXPECT_EQ(CommentNamedType(comment), type) << comment;
}

TEST_F(IniFiles, HandWrittenCommentsSurviveAndDefaultsFillEmptyOnes) {
    const std::string file = PathText(dir / "o.ini");
    WriteText(dir / "o.ini", "[Options]\r\nExpertFunctions=1   // (BOOL) // mine, keep it\r\n"
                             "ActMaxTrackIdx=abc\r\nBaseDirSearch=D:\\Songs\r\n");
    CommentedIni ini;
    ini.AddTypeTags = true;
    ini.IniOpen(file, false);
    EXPECT_TRUE(ini.IniBool("Options", "ExpertFunctions", false, "", "program comment"));
    EXPECT_EQ(ini.IniInteger("Options", "ActMaxTrackIdx", 16, "", "# Max. 16"), 16);  // no integer: default
    EXPECT_EQ(ini.IniString("Options", "BaseDirSearch", "C:\\", "", ""), "D:\\Songs");
    ini.IniClose();

    ini.IniOpen(file, true);
    ini.IniBool("Options", "ExpertFunctions", true, "", "program comment");
    ini.IniInteger("Options", "ActMaxTrackIdx", 16, "", "# Max. 16");
    ini.IniString("Options", "BaseDirSearch", "D:\\Songs", "", "");
    ini.IniClose();
    // The own comment stays, the empty one gets the program's; a string without comment stays bare.
    const std::string filler(22, ' ');
    EXPECT_EQ(ReadText(dir / "o.ini"), "[Options]\r\nExpertFunctions=1" + filler +
                                           " // (BOOL) // mine, keep it\r\nActMaxTrackIdx=16" + filler +
                                           " // (INTEGER) // # Max. 16\r\nBaseDirSearch=D:\\Songs\r\n");
}

TEST_F(IniFiles, FailedSaveLeavesTheStoreAsItWas) {
    const std::string file = PathText(dir / "gone" / "o.ini");
    CommentedIni ini;
    ini.IniOpen(file, false);
    ini.IniString("S", "K", "v", "", "first");
    ini.IniClose();
    ini.IniOpen(file, true);
    ini.AddTypeTags = true;
    ini.IniString("S", "K", "v", "", "");
    EXPECT_EQ(ini.Stored(file, "S", "K")->comment, "(STRING) // first");
    EXPECT_THROW(ini.IniClose(), FileError);
    EXPECT_EQ(ini.Stored(file, "S", "K")->comment, "first");
    EXPECT_EQ(ini.File(), nullptr);
}

}  // namespace
}  // namespace spurwerk
