#include <gtest/gtest.h>

#include "io/path_text.h"
#include "settings/commented_ini.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

TEST(CommentedIni, LineFormatAndFiller) {
    // Short lines put the blank of " // " into column 40.
    std::string line = "SaveOptionsOnExit=" + CommentedLineValue("SaveOptionsOnExit", "1", "(BOOL)", 40);
    EXPECT_EQ(line, "SaveOptionsOnExit=1" + std::string(20, ' ') + " // (BOOL)");
    EXPECT_EQ(line.find(" // "), 39u);
    // Key of 20 characters, value "1": L = 22, 17 blanks.
    EXPECT_EQ(CommentedLineValue(std::string(20, 'K'), "1", "c", 40), "1" + std::string(17, ' ') + " // c");
    // Longer lines fill up to the next multiple of 40, minus one.
    std::string longKey(44, 'K');
    EXPECT_EQ((longKey + "=" + CommentedLineValue(longKey, "x", "c", 40)).find(" // "), 79u);
    // No comment, no filler.
    EXPECT_EQ(CommentedLineValue("BaseDirSearch", "C:\\", "", 40), "C:\\");
}

TEST(CommentedIni, SplitAndNamedType) {
    std::string value, comment;
    SplitCommentedValue("1     //   (BOOL) // # hand  ", value, comment);
    EXPECT_EQ(value, "1");
    EXPECT_EQ(comment, "(BOOL) // # hand");
    SplitCommentedValue("http://x", value, comment);
    EXPECT_EQ(value, "http:");
    EXPECT_EQ(comment, "x");
    SplitCommentedValue("  plain  ", value, comment);
    EXPECT_EQ(value, "  plain  ");
    EXPECT_EQ(comment, "");

    EXPECT_EQ(CommentNamedType(""), IniTypeString);
    EXPECT_EQ(CommentNamedType("(bool) // integer"), IniTypeBool);
    EXPECT_EQ(CommentNamedType("x (INTEGER) // (BOOL)"), IniTypeInteger);
    EXPECT_EQ(CommentNamedType("# Max. 16 f. ZoomR16"), -1);
}

TEST(CommentedIni, BoolWithTypeTagRoundTrips) {
    TempDir dir;
    const std::string file = PathText(dir / "o.ini");
    CommentedIni ini;
    ini.AddTypeTags = true;
    ini.IniOpen(file, true);
    EXPECT_TRUE(ini.IniBool("Options", "SaveOptionsOnExit", true, "", ""));
    ini.IniClose();
    const std::string expected = "[Options]\r\nSaveOptionsOnExit=1" + std::string(20, ' ') + " // (BOOL)\r\n";
    EXPECT_EQ(ReadText(dir / "o.ini"), expected);

    CommentedIni fresh;  // a new run
    fresh.AddTypeTags = true;
    fresh.IniOpen(file, false);
    EXPECT_TRUE(fresh.IniBool("Options", "SaveOptionsOnExit", false, "", ""));
    fresh.IniClose();
    ASSERT_NE(fresh.Stored(file, "options", "SAVEOPTIONSONEXIT"), nullptr);
    EXPECT_EQ(fresh.Stored(file, "Options", "SaveOptionsOnExit")->comment, "(BOOL)");
    fresh.IniOpen(file, true);
    fresh.IniBool("Options", "SaveOptionsOnExit", true, "", "");
    fresh.IniClose();
    EXPECT_EQ(ReadText(dir / "o.ini"), expected);
}

TEST(CommentedIni, HandWrittenCommentsSurviveAndDefaultsFillEmptyOnes) {
    TempDir dir;
    const std::string file = PathText(dir / "o.ini");
    WriteText(dir / "o.ini",
              "[Options]\r\n"
              "ExpertFunctions=1   // (BOOL) // mine, keep it\r\n"
              "ActMaxTrackIdx=abc\r\n"
              "BaseDirSearch=D:\\Songs\r\n");
    CommentedIni ini;
    ini.AddTypeTags = true;
    ini.IniOpen(file, false);
    EXPECT_TRUE(ini.IniBool("Options", "ExpertFunctions", false, "", "program comment"));
    EXPECT_EQ(ini.IniInteger("Options", "ActMaxTrackIdx", 16, "", "# Max. 16"), 16);  // no integer: default
    EXPECT_EQ(ini.IniString("Options", "BaseDirSearch", "C:\\", "", ""), "D:\\Songs");
    EXPECT_EQ(ini.IniString("Options", "Missing", "dflt", "", ""), "dflt");
    ini.IniClose();

    ini.IniOpen(file, true);
    ini.IniBool("Options", "ExpertFunctions", true, "", "program comment");
    ini.IniInteger("Options", "ActMaxTrackIdx", 16, "", "# Max. 16");
    ini.IniString("Options", "BaseDirSearch", "D:\\Songs", "", "");
    ini.IniClose();
    std::string text = ReadText(dir / "o.ini");
    EXPECT_NE(text.find("ExpertFunctions=1" + std::string(22, ' ') + " // (BOOL) // mine, keep it\r\n"),
              std::string::npos);
    EXPECT_NE(text.find(" // (INTEGER) // # Max. 16\r\n"), std::string::npos);
    EXPECT_NE(text.find("BaseDirSearch=D:\\Songs\r\n"), std::string::npos);  // string, no comment: bare
}

TEST(CommentedIni, IntegerFormsAndGarbage) {
    TempDir dir;
    const std::string file = PathText(dir / "o.ini");
    WriteText(dir / "o.ini", "[S]\nA=$10 // c\nB= -3 \nC=99999999999\nD=\nE=1.5\n");
    CommentedIni ini;
    ini.IniOpen(file, false);
    EXPECT_EQ(ini.IniInteger("S", "A", 0, "", ""), 16);
    EXPECT_EQ(ini.IniInteger("S", "B", 0, "", ""), -3);
    EXPECT_EQ(ini.IniInteger("S", "C", 7, "", ""), 7);
    EXPECT_EQ(ini.IniInteger("S", "D", 7, "", ""), 7);
    EXPECT_EQ(ini.IniInteger("S", "E", 7, "", ""), 7);
    EXPECT_FALSE(ini.IniBool("S", "B", true, "", ""));  // "-3" is no true text
    ini.IniClose();
}

TEST(CommentedIni, FailedSaveLeavesTheStoreAsItWas) {
    TempDir dir;
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
