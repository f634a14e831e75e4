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
    struct Case {
        std::string key, value, comment, line;
    } cases[] = {
        // Short lines put the blank of " // " into column 40.
        {"SaveOptionsOnExit", "1", "(BOOL)", "1" + std::string(20, ' ') + " // (BOOL)"},
        {std::string(20, 'K'), "1", "c", "1" + std::string(17, ' ') + " // c"},
        // Longer lines fill up to the next multiple of 40, minus one.
        {std::string(44, 'K'), "x", "c", "x" + std::string(33, ' ') + " // c"},
        {"BaseDirSearch", "C:\\", "", "C:\\"},  // no comment, no filler
    };
    for (const Case& c : cases) EXPECT_EQ(CommentedLineValue(c.key, c.value, c.comment, 40), c.line) << c.key;
}

TEST(CommentedIni, SplitAndNamedType) {
    struct Split {
        const char* text;
        const char* value;
        const char* comment;
    } splits[] = {
        {"1     //   (BOOL) // # hand  ", "1", "(BOOL) // # hand"}, {"http://x", "http:", "x"},
        {"  plain  ", "  plain  ", ""},
    };
    for (const Split& s : splits) {
        std::string value, comment;
        SplitCommentedValue(s.text, value, comment);
        EXPECT_EQ(value, s.value) << s.text;
        EXPECT_EQ(comment, s.comment) << s.text;
    }
    const std::pair<const char*, int> types[] = {
        {"", IniTypeString}, {"(bool) // integer", IniTypeBool}, {"x (INTEGER) // (BOOL)", IniTypeInteger},
        {"# Max. 16 f. ZoomR16", -1},
    };
    for (const auto& [comment, type] : types) EXPECT_EQ(CommentNamedType(comment), type) << comment;
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
