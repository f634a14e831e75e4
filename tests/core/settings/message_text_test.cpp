#include <gtest/gtest.h>

#include "settings/message_text.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"

namespace spurwerk {
namespace {

TEST(MessageText, LonePunctuationEndsTheLineBefore) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"were\r\ncopied to \"X\"\r\n .\r\n3 files", "were\r\ncopied to \"X\".\r\n3 files"},
        {"copied\r\nto \"Y\"\r\n\r\n!", "copied\r\nto \"Y\"!"},
        {"a\n\n\n!?\nb", "a!?\nb"},
        {"Kopiert.\r\nWeiter?", "Kopiert.\r\nWeiter?"},  // punctuation within a line stays
        {"!\r\nnext", "!\r\nnext"},                       // nothing before it to end
        {"a\r\n\r\nb", "a\r\n\r\nb"},                      // empty lines stay without punctuation
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(JoinLonePunctuation(c.text), c.expected) << c.text;
}

TEST(MessageText, LongListsAreCutInTheMiddleKeepingTheQuestion) {
    InitResStrArr();
    std::string list = "Exist:\r\n\r\n";
    for (int i = 1; i <= 99; ++i) list += "PROJ" + std::to_string(i) + "\r\n";
    list += "\r\nOverwrite?\r\n";  // 104 lines, the last one empty
    struct Case {
        int maxLines;
        std::string expected;
    };
    const Case cases[] = {
        {200, list},
        {104, list},
        {10, "Exist:\r\n\r\nPROJ1\r\nPROJ2\r\nPROJ3\r\nPROJ4\r\n… und 95 weitere\r\n\r\nOverwrite?\r\n"},
        {1, "Exist:\r\n… und 100 weitere\r\n\r\nOverwrite?\r\n"},  // never fewer than 5 lines
    };
    for (const Case& c : cases) EXPECT_EQ(CutToLines(list, c.maxLines), c.expected) << c.maxLines;
    SetUiTxt(UiText::MoreLines, "... and %1 more");
    EXPECT_EQ(CutToLines("1\n2\n3\n4\n5\n6", 5), "1\n... and 2 more\n4\n5\n6");
    InitResStrArr();
}

}  // namespace
}  // namespace spurwerk
