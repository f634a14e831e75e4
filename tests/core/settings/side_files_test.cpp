#include <gtest/gtest.h>

#include <cstdlib>

#include "io/path_text.h"
#include "settings/assign_suggestions.h"
#include "settings/environment_text.h"
#include "settings/side_files.h"
#include "settings/text_table.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::TempDir;
using testing::WriteBytes;

const std::string Sep = PathSeparator();

TEST(SideFiles, NamesFollowTheProgramFileButOptionsStaySpurwerk) {
    const std::string dir = Sep + "opt" + Sep + "tools" + Sep;
    SideFiles s = DeriveSideFiles(dir + "Other.exe", true, "");
    // Named after the program, fixed names, templates: one of each kind.
    const std::pair<std::string, const char*> names[] = {
        {s.programDir, ""}, {s.GuiFileName, "Other_GUI.INI"}, {s.zdtHistory, "Other_ZDTFile.HIS"},
        {s.windowPositionsFile, "Other_WindowPositions.INI"}, {s.OptionsFileName, "Spurwerk.INI"},
        {s.doSaveAllGUIsMarker, "_DoSaveAllGUIsCreated.txt"}, {s.efxTemplateR24, "EFXDATA_VorlageR24.ZDT"},
    };
    for (const auto& [name, expected] : names) EXPECT_EQ(name, dir + expected);
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
    // Shipped files are still found beside the program ...
    EXPECT_EQ(s.GuiFileName, dir + "Spurwerk_GUI.INI");
    EXPECT_EQ(s.prjTemplateR16, dir + "PRJDATA_VorlageR16.ZDT");
    EXPECT_EQ(s.assignsFile, dir + "Spurwerk_Assigns.INI");
    // ... unless the user keeps an own suggestion list.
    WriteBytes(config / "Spurwerk_Assigns.INI", Bytes{'X'});
    EXPECT_EQ(DeriveSideFiles(dir + "Spurwerk", false, cfg).assignsFile, cfgDir + "Spurwerk_Assigns.INI");
}

TEST(SideFiles, WritableFolderIsDetected) {
    TempDir dir;
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
    EXPECT_EQ(ExpandEnvStr("50% %SPURWERK_TEST_VAR%"), "50% " + value);
    for (const char* kept : {"a%SPURWERK_UNSET_XYZ%b", "100%", "%%"}) EXPECT_EQ(ExpandEnvStr(kept), kept);
}

TEST(AssignSuggestions, FileReplacesBuiltInsWhenReadable) {
    TempDir dir;
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "none.INI")),
              (std::vector<std::string>{"MAND_R.WAV", "GIT_C.WAV", "BOUZ_L.WAV", "Baglama", "VOC1_C", "VOC2_C"}));
    std::filesystem::create_directory(dir / "folder.INI");
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "folder.INI")), BuiltInAssignSuggestions());
    // Blank lines and blanks around names as an editor leaves them.
    WriteBytes(dir / "Spurwerk_Assigns.INI", Bytes{' ', 'O', 'U', 'D', ' ', '\r', '\n', '\r', '\n', 'G', 0xC4, '\n'});
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "Spurwerk_Assigns.INI")),
              (std::vector<std::string>{"OUD", "G\u00C4"}));
    WriteBytes(dir / "empty.INI", Bytes{});
    EXPECT_TRUE(LoadAssignSuggestions(PathText(dir / "empty.INI")).empty());

    InitResStrArr();
    EXPECT_EQ(AssignSuggestionsHint("C:\\Tools\\Spurwerk_Assigns.INI"),
              "(Vorschlagsliste editierbar in Datei \"C:\\Tools\\Spurwerk_Assigns.INI\"!)");
}

}  // namespace
}  // namespace spurwerk
