#include <gtest/gtest.h>

#include "text/visible_text.h"

namespace spurwerk {
namespace {

TEST(VisibleText, ControlCharactersAreEscapedAndTheRestKept) {
    struct Case {
        std::string text;
        bool keepLayout;
        std::string shown;
    } cases[] = {
        {"\x1b[2J", false, "\\x1B[2J"},
        {"\x1b]0;title\x07", false, "\\x1B]0;title\\x07"},
        {std::string("A\0B", 3), false, "A\\x00B"},
        {"a\x7f", false, "a\\x7F"},
        {"CSI \xc2\x9b" "2J", false, "CSI \\u009B2J"},
        {"\xc3\xa4 \xc2\xa0", false, "\xc3\xa4 \xc2\xa0"},  // umlaut and no-break space stay
        {"line\nnext\ttab", true, "line\nnext\ttab"},
        {"line\nnext\ttab", false, "line\\x0Anext\\x09tab"},
        {"C:\\PROJ001\\", false, "C:\\PROJ001\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(EscapeControlChars(c.text, c.keepLayout), c.shown) << c.shown;
}

}  // namespace
}  // namespace spurwerk
