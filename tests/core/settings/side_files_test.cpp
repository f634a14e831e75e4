#include <gtest/gtest.h>

#include <cstdlib>

#include "io/path_text.h"
#include "settings/environment_text.h"
#include "settings/side_files.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::TempDir;
using testing::WriteText;

const std::string Sep = PathSeparator();

TEST(SideFiles, NamesFollowTheProgramFileButOptionsStaySpurwerk) {
    const std::string dir = Sep + "opt" + Sep + "tools" + Sep;
    SideFiles s = DeriveSideFiles(dir + "Other.exe", true, "");
    EXPECT_EQ(s.programDir, dir);
    EXPECT_EQ(s.GuiFileName, dir + "Other_GUI.INI");
    EXPECT_EQ(s.ReadmeFileName, dir + "Other_README.TXT");
    EXPECT_EQ(s.doSaveAllGUIsMarker, dir + "_DoSaveAllGUIsCreated.txt");
    EXPECT_EQ(s.zdtHistory, dir + "Other_ZDTFile.HIS");
    EXPECT_EQ(s.wavHistory, dir + "Other_WAVFile.HIS");
    EXPECT_EQ(s.searchFilterHistory, dir + "Other_SearchFilter.HIS");
    EXPECT_EQ(s.copyToDirHistory, dir + "Other_CopyToDir.HIS");
    EXPECT_EQ(s.prjNamesHistory, dir + "Other_PRJNamesFile.HIS");
    EXPECT_EQ(s.assignsFile, dir + "Other_Assigns.INI");
    EXPECT_EQ(s.OptionsFileName, dir + "Spurwerk.INI");
    EXPECT_EQ(s.windowPositionsFile, dir + "Other_WindowPositions.INI");
    EXPECT_EQ(s.prjTemplateR16, dir + "PRJDATA_VorlageR16.ZDT");
    EXPECT_EQ(s.efxTemplateR24, dir + "EFXDATA_VorlageR24.ZDT");
}

TEST(SideFiles, UnwritableProgramFolderMovesOnlyWrittenFiles) {
    TempDir config;
    const std::string dir = Sep + "usr" + Sep + "lib" + Sep + "spurwerk" + Sep;
    const std::string cfg = PathText(config.path());
    SideFiles s = DeriveSideFiles(dir + "Spurwerk", false, cfg);
    const std::string cfgDir = AddTrailingBackslash(cfg);
    EXPECT_EQ(s.writableDir, cfgDir);
    EXPECT_EQ(s.OptionsFileName, cfgDir + "Spurwerk.INI");
    EXPECT_EQ(s.windowPositionsFile, cfgDir + "Spurwerk_WindowPositions.INI");
    EXPECT_EQ(s.zdtHistory, cfgDir + "Spurwerk_ZDTFile.HIS");
    EXPECT_EQ(s.prjNamesHistory, cfgDir + "Spurwerk_PRJNamesFile.HIS");
    // Shipped files are still found beside the program.
    EXPECT_EQ(s.GuiFileName, dir + "Spurwerk_GUI.INI");
    EXPECT_EQ(s.ReadmeFileName, dir + "Spurwerk_README.TXT");
    EXPECT_EQ(s.prjTemplateR16, dir + "PRJDATA_VorlageR16.ZDT");
    EXPECT_EQ(s.assignsFile, dir + "Spurwerk_Assigns.INI");
    // ... unless the user keeps an own suggestion list.
    WriteText(config / "Spurwerk_Assigns.INI", "X\r\n");
    EXPECT_EQ(DeriveSideFiles(dir + "Spurwerk", false, cfg).assignsFile, cfgDir + "Spurwerk_Assigns.INI");
}

TEST(SideFiles, WritableFolderIsDetected) {
    TempDir dir;
    EXPECT_TRUE(IsFolderWritable(dir.path()));
    EXPECT_FALSE(IsFolderWritable(dir / "missing"));
    SideFiles s = DeriveSideFiles(PathText(dir / "Spurwerk"));
    EXPECT_EQ(s.OptionsFileName, PathText(dir / "Spurwerk.INI"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // the probe leaves nothing behind
}

TEST(EnvironmentText, ExpandsSetVariablesOnly) {
#ifdef _WIN32
    _putenv_s("SPURWERK_TEST_VAR", "C:\\Daten");
#else
    setenv("SPURWERK_TEST_VAR", "/daten", 1);
#endif
    const std::string value = EnvironmentText("SPURWERK_TEST_VAR");
    ASSERT_FALSE(value.empty());
    EXPECT_EQ(ExpandEnvStr("%SPURWERK_TEST_VAR%" + Sep + "x.HIS"), value + Sep + "x.HIS");
    EXPECT_EQ(ExpandEnvStr("a%SPURWERK_UNSET_XYZ%b"), "a%SPURWERK_UNSET_XYZ%b");
    EXPECT_EQ(ExpandEnvStr("50% %SPURWERK_TEST_VAR%"), "50% " + value);
    EXPECT_EQ(ExpandEnvStr("100%"), "100%");
    EXPECT_EQ(ExpandEnvStr("%%"), "%%");
}

}  // namespace
}  // namespace spurwerk
