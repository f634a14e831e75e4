// Names the recorder's layout gives match in any letter case: a card whose
// names are all lower case works like one written by the recorder.

#include <set>

#include "files/copy_project.h"
#include "files/info_files.h"
#include "files/list_line.h"
#include "files/project_list.h"
#include "files/save_project.h"
#include "files_test_fixture.h"
#include "mixer/wav_list.h"
#include "project/document_ops.h"
#include "project/project_info.h"
#include "project/project_name.h"

namespace spurwerk {
namespace {

using namespace testing;

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

class LowerCaseCardTest : public FilesFixture {
protected:
    LowerCaseCardTest() {
        fs::create_directories(dir / "card/proj001/audio");
        ProjectSetup element;
        element.wavNames = {"GESANG.WAV", "BASS.WAV"};
        WriteBytes(dir / "card/proj001/prjdata.zdt", ProjectBytes(element));
        WriteText(dir / "card/proj001/efxdata.zdt", "EFX");
        WriteBytes(dir / "card/proj001/audio/gesang.wav", WavBytes(2000));
        WriteBytes(dir / "card/proj001/audio/bass.wav", WavBytes(1000));
        WriteText(dir / "card/proj001/prjdata___SONG_NAME.TXT", "current");
        WriteText(dir / "card/proj001/prjdata___ALT_NAME.TXT", "stale");
    }
    const std::string project = Folder("card/proj001") + "prjdata.zdt";
};

TEST_F(LowerCaseCardTest, ReadersFindTheAudioFolderEffectsAndProjectFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores letter case in file names, so no second spelling can exist";
#endif
    EXPECT_EQ(AudioFolderOf(project), Folder("card/proj001") + "audio");
    EXPECT_EQ(LongestWavDuration(AudioFolderOf(project)), 2000);
    EXPECT_EQ(EffectsFileNameFor(project), Folder("card/proj001") + "efxdata.zdt");
    EXPECT_EQ(ResolveInfoFileName(Folder("card/proj001") + "prjdata___SONG_NAME.TXT"), project);

    WavList wavs = BuildWavList(AudioFolderOf(project), {"GESANG.WAV", "BASS.WAV", ""}, false);
    EXPECT_EQ(wavs.found, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(wavs.missing, 0);

    ListLineOptions options;
    options.listWavFileDate = false;
    ProjectNameInfo info = GetZDTProjectName(doc, project, true, nullptr);
    std::string line = BuildListLine(Folder("card/proj001"), "prjdata.zdt", &info, options);
    EXPECT_NE(line.find("bass.wav"), std::string::npos) << line;
    EXPECT_NE(line.find("gesang.wav"), std::string::npos) << line;
}

TEST_F(LowerCaseCardTest, DeleteUnassignedKeepsTheCurrentInfoFile) {
    ProjectList list;
    InfoFileRunCounts counts;
    DeleteInfoFiles(Folder("card"), false, doc, list, dialogs, {}, &counts);
    EXPECT_EQ(counts.changed, 1);
    EXPECT_TRUE(fs::exists(dir / "card/proj001/prjdata___SONG_NAME.TXT"));
    EXPECT_FALSE(fs::exists(dir / "card/proj001/prjdata___ALT_NAME.TXT"));
}

TEST_F(LowerCaseCardTest, SavingAndCopyingUseTheExistingSpellings) {
    doc.ReplaceZDTData(ReadBytes(project));
    doc.LoadedZDTFileName = project;
    ASSERT_TRUE(SaveProject(context, project, false, "SONG", 0));
    EXPECT_EQ(dialogs.CountAsked("message"), 0);  // nothing missing, nothing to create
    EXPECT_EQ(Entries(dir / "card/proj001"), (std::set<std::string>{"audio", "efxdata.zdt", "prjdata.zdt",
                                                                    "prjdata___ALT_NAME.TXT",
                                                                    "prjdata___SONG_NAME.TXT"}));
    EXPECT_EQ(Entries(dir / "card/proj001/audio"), (std::set<std::string>{"bass.wav", "gesang.wav"}));

    dialogs.messageAnswers = {ResultOk};
    ASSERT_TRUE(CopyProjectCommand(context, Folder("card/proj001"), (dir / "card/proj002").string()));
    EXPECT_EQ(ReadBytes(dir / "card/proj002/PRJDATA.ZDT"), ReadBytes(project));
    EXPECT_EQ(ReadText(dir / "card/proj002/EFXDATA.ZDT"), "EFX");
    EXPECT_EQ(Entries(dir / "card/proj002/AUDIO"), (std::set<std::string>{"bass.wav", "gesang.wav"}));
}

}  // namespace
}  // namespace spurwerk
