#include "files/trim_at_delimiter.h"

#include <gtest/gtest.h>

namespace spurwerk {
namespace {

TEST(TrimAtDelimiter, CutsAtTheFirstDelimiterOrKeepsTheWholeTrimmedText) {
    EXPECT_EQ(TrimAtDelimiter("  SONG.WAV [3:12] [x]", "["), "SONG.WAV");
    EXPECT_EQ(TrimAtDelimiter("D:\\PROJ001\\PRJDATA.ZDT  # 2014", "#"), "D:\\PROJ001\\PRJDATA.ZDT");
    EXPECT_EQ(TrimAtDelimiter("  no delimiter here ", "["), "no delimiter here");
    EXPECT_EQ(TrimAtDelimiter("[starts]", "["), "");
}

}  // namespace
}  // namespace spurwerk
