#include <gtest/gtest.h>

#include "text/ascii.h"

namespace spurwerk {
namespace {

TEST(Ascii, TrimmingAndCase) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\ta\r"), "\ta\r");  // only blanks
    EXPECT_EQ(TrimWhitespace(" \t a\r\n"), "a");
    EXPECT_EQ(UpperAscii("straße.wav"), "STRAßE.WAV");  // umlauts stay as they are
    EXPECT_TRUE(EqualsIgnoreCase("prjdata.zdt", "PRJDATA.ZDT"));
    EXPECT_FALSE(EqualsIgnoreCase("PRJDATA.ZDT", "PRJDATA.ZD"));
}

}  // namespace
}  // namespace spurwerk
