#include <gtest/gtest.h>

#include "io/path_text.h"
#include "settings/assign_suggestions.h"
#include "settings/text_table.h"
#include "test_files.h"

namespace spurwerk {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(AssignSuggestions, FileReplacesBuiltInsWhenReadable) {
    TempDir dir;
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "none.INI")),
              (std::vector<std::string>{"MAND_R.WAV", "GIT_C.WAV", "BOUZ_L.WAV", "Baglama", "VOC1_C", "VOC2_C"}));
    std::filesystem::create_directory(dir / "folder.INI");
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "folder.INI")), BuiltInAssignSuggestions());

    // Windows-1252 as other installations write it.
    WriteBytes(dir / "Spurwerk_Assigns.INI", Bytes{'B', 'A', 'S', 'S', '\r', '\n', 'G', 0xC4, 'N', 'G', '\n'});
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "Spurwerk_Assigns.INI")),
              (std::vector<std::string>{"BASS", "G\u00C4NG"}));
    // UTF-8 with its BOM, blank lines and blanks around names as an editor leaves them.
    WriteBytes(dir / "bom.INI", Bytes{0xEF, 0xBB, 0xBF, ' ', 'O', 'U', 'D', ' ', '\r', '\n', '\r', '\n', 0xC3, 0x84, 'X', '\n'});
    EXPECT_EQ(LoadAssignSuggestions(PathText(dir / "bom.INI")), (std::vector<std::string>{"OUD", "\u00C4X"}));
    WriteBytes(dir / "empty.INI", Bytes{});
    EXPECT_TRUE(LoadAssignSuggestions(PathText(dir / "empty.INI")).empty());
}

TEST(AssignSuggestions, Hint) {
    InitResStrArr();
    EXPECT_EQ(AssignSuggestionsHint("C:\\Tools\\Spurwerk_Assigns.INI"),
              "(Vorschlagsliste editierbar in Datei \"C:\\Tools\\Spurwerk_Assigns.INI\"!)");
}

}  // namespace
}  // namespace spurwerk
