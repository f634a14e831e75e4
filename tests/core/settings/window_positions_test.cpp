#include <gtest/gtest.h>

#include "io/path_text.h"
#include "io/text_file.h"
#include "scripted_dialogs.h"
#include "settings/window_positions.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;
using testing::WriteText;

const ScreenSize FullHd{1920, 1080};

std::vector<int> Numbers(const WindowGeometry& g) { return {g.left, g.top, g.width, g.height}; }

TEST(WindowPositions, RestoredWindowsFitFullyOntoTheAvailableArea) {
    const ScreenSize laptop{1366, 738, 0, 30};  // a panel of 30 pixels at the top
    struct Case {
        WindowGeometry stored;
        ScreenSize screen;
        WindowGeometry used;
    } cases[] = {
        {{-500, -10, 400, 300}, FullHd, {0, 0, 400, 300}},
        {{5000, 2000, 400, 300}, FullHd, {1520, 780, 400, 300}},
        {{1520, 780, 400, 300}, FullHd, {1520, 780, 400, 300}},  // exactly at the limits: unchanged
        {{10, 20, 100000, 100000}, FullHd, {0, 0, 1920, 1080}},
        {{100, 0, 800, 700}, laptop, {100, 30, 800, 700}},
        {{900, 200, 800, 700}, laptop, {566, 68, 800, 700}},
        {{50, 50, 0, -5}, FullHd, {50, 50, MinWindowWidth, MinWindowHeight}},
        {{50, 50, 400, 300}, ScreenSize{}, {50, 50, 400, 300}},  // no screen known
    };
    for (const Case& c : cases) {
        WindowGeometry g = c.stored;
        PullOntoScreen(g, c.screen);
        EXPECT_EQ(Numbers(g), Numbers(c.used)) << c.stored.left << "," << c.stored.top;
    }
}

struct PositionsFixture : ::testing::Test {
    TempDir dir;
    std::string file = PathText(dir / "Spurwerk_WindowPositions.INI");
    ScriptedDialogs dialogs;
    WindowPositions positions{file, dialogs};
    WindowGeometry main{10, 20, 355, 610}, ctrls{30, 40, 800, 500}, offScreen{5000, 6, 7, 8};
    std::vector<PlacedWindow> All() {
        return {{"FormMain", &main}, {"FormCtrls", &ctrls}, {"FormGeneralInfo", &offScreen}};
    }
};

TEST_F(PositionsFixture, FirstExitAnnouncesTheFileOnceAndWritesWhatItGets) {
    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(positions.LoadSaveAllWindowPos(All(), true, true, FullHd));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Ini-Datei \"" + file + "\" nicht gefunden - Wird neu angelegt !!");
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk_WindowPositions.INI"),
              "[Window_FormMain]\r\nLeft=10\r\nTop=20\r\nWidth=355\r\nHeight=610\r\n\r\n"
              "[Window_FormCtrls]\r\nLeft=30\r\nTop=40\r\nWidth=800\r\nHeight=500\r\n\r\n"
              "[Window_FormGeneralInfo]\r\nLeft=5000\r\nTop=6\r\nWidth=7\r\nHeight=8\r\n");
    EXPECT_EQ(Numbers(offScreen), (std::vector<int>{5000, 6, 7, 8}));  // saving moves no window
    ASSERT_TRUE(positions.LoadSaveAllWindowPos(All(), true, true, FullHd));
    EXPECT_EQ(dialogs.asked.size(), 1u);  // the file exists now
}

TEST_F(PositionsFixture, RestoreReadsIntegerFormsAndPullsBack) {
    WriteText(dir / "Spurwerk_WindowPositions.INI",
              "; positions\r\n"
              "[window_formmain]\r\nLeft=-500\r\nTop=$7D0\r\nWidth=0x190\r\nHeight=junk\r\nExtra=kept\r\n");
    WindowGeometry g{10, 20, 355, 610};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", g, false, true, FullHd));
    // No integer: the current value; $7D0 = 2000 pulled up by the height of 610.
    EXPECT_EQ(Numbers(g), (std::vector<int>{0, 470, 400, 610}));
    // Without size, Width and Height are neither read nor written.
    WindowGeometry noSize{10, 20, 355, 610};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", noSize, false, false, FullHd));
    EXPECT_EQ(Numbers(noSize), (std::vector<int>{0, 470, 355, 610}));
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", noSize, true, false, FullHd));
    EXPECT_EQ(ReadTextFile(dir / "Spurwerk_WindowPositions.INI"),
              "; positions\r\n[window_formmain]\r\nLeft=0\r\nTop=470\r\nWidth=0x190\r\nHeight=junk\r\n"
              "Extra=kept\r\n");
}

TEST_F(PositionsFixture, NamedFileAndSectionAndFailedWrite) {
    const std::string other = PathText(dir / "other.ini");
    WindowGeometry g{1, 2, 3, 4};
    ASSERT_TRUE(positions.LoadSaveWindowPos("FormMain", g, true, true, FullHd, other, "Mine"));
    EXPECT_TRUE(dialogs.asked.empty());  // only the default file is announced
    EXPECT_EQ(ReadTextFile(dir / "other.ini"), "[Mine]\r\nLeft=1\r\nTop=2\r\nWidth=3\r\nHeight=4\r\n");

    WindowPositions failing{PathText(dir / "gone" / "pos.ini"), dialogs};
    dialogs.messageAnswers = {ResultOk, ResultOk};
    EXPECT_FALSE(failing.LoadSaveAllWindowPos(All(), true, true, FullHd));
    ASSERT_EQ(dialogs.asked.size(), 2u);  // the announcement, then one error for all windows
    EXPECT_NE(dialogs.asked[1].text.find("pos.ini"), std::string::npos);
}

}  // namespace
}  // namespace spurwerk
