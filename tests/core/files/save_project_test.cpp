// Saving the document as a complete project and creating missing WAV files.

#include "files/save_project.h"
#include "files/wav_templates.h"
#include "files_test_fixture.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class SaveProjectTest : public FilesFixture {
protected:
    void LoadSetup(const ProjectSetup& element) {
        doc.ReplaceZDTData(ProjectBytes(element));
        doc.LoadedZDTFileName = (dir / "old" / "PRJDATA.ZDT").string();
        doc.MarkChanged();
    }
    std::string Content(const std::string& relative) { return ReadText(dir / relative); }
};

TEST_F(SaveProjectTest, NewFolderGetsAudioEffectsAndTemplateWavs) {
    ProjectSetup element;
    element.wavNames = {"a.wav", "B.WAV", "C.WAV", "", "D"};  // tracks 1+2 linked
    element.stereoStrips = {0};
    element.masterWav = "M.WAV";
    LoadSetup(element);
    dialogs.messageAnswers = {ResultYes,                       // create AUDIO
                              ResultYes, ResultNo, ResultYesToAll,  // A, B (no), C and the rest
                              ResultOk};                       // list of created files
    std::string target = (dir / "PRJ005" / "PRJDATA").string();  // no extension given

    ASSERT_TRUE(SaveProject(context, target, true, "NEU", 3000));

    std::string file = target + ".ZDT";
    EXPECT_NE(AskedText(1).find(Folder("PRJ005") + NativePath("AUDIO/A.WAV")), std::string::npos);
    EXPECT_EQ(Content("PRJ005/EFXDATA.ZDT"), "EFX16");
    EXPECT_EQ(Content("PRJ005/AUDIO/A.WAV"), "STEREO16");  // pair of strips 0 and 1
    EXPECT_FALSE(fs::exists(dir / "PRJ005/AUDIO/B.WAV"));
    EXPECT_EQ(Content("PRJ005/AUDIO/C.WAV"), "MONO16");
    EXPECT_EQ(Content("PRJ005/AUDIO/D.WAV"), "MONO16");  // name cleaned before the save
    EXPECT_EQ(Content("PRJ005/AUDIO/M.WAV"), "STEREO16");  // the master is always stereo

    Bytes saved = ReadBytes(file);
    EXPECT_EQ(ReadProjectName(saved), "NEU");
    EXPECT_EQ(ReadWavName(saved, layout::WavNameOffset(0)), "A.WAV");
    // The saved project is the loaded document now.
    EXPECT_EQ(doc.LoadedZDTFileName, file);
    EXPECT_EQ(doc.ZDTData(), saved);
    EXPECT_FALSE(doc.DataChanged());
    EXPECT_EQ(dialogs.asked.back().kind, "timed");
    EXPECT_EQ(dialogs.asked.back().text, "3332 Bytes wurden in Datei \"" + file + "\" geschrieben!");
}

TEST_F(SaveProjectTest, TwentyFourBitProjectsGetTwentyFourBitTemplatesAndR24Effects) {
    ProjectSetup element;
    element.wavNames = {"A.WAV", "B.WAV", "C.WAV"};
    element.stereoStrips = {2};  // tracks 3+4
    element.bits24 = true;
    LoadSetup(element);
    context.options.devIsZoomR24 = true;
    fs::create_directories(dir / "P" / "AUDIO");
    dialogs.messageAnswers = {ResultYesToAll, ResultOk};
    ASSERT_TRUE(SaveProject(context, (dir / "P" / "PRJDATA.ZDT").string(), true, "", 0));
    EXPECT_EQ(Content("P/AUDIO/A.WAV"), "MONO24");
    EXPECT_EQ(Content("P/AUDIO/C.WAV"), "STEREO24");
    EXPECT_EQ(Content("P/EFXDATA.ZDT"), "EFX24");
    EXPECT_EQ(ReadProjectName(doc.ZDTData()), "SONG");  // no name given: the field's name stays
}

TEST_F(SaveProjectTest, CtrlSaveLeavesAnUnchangedProjectFileButCreatesMissingWavs) {
    ProjectSetup element;
    element.wavNames = {"A.WAV"};
    std::string file = MakeProject("P", element);
    WriteBytes(file, TextBytes(std::string(4000, 'X')));  // differs from the document
    LoadSetup(element);
    doc.MarkSaved();
    dialogs.keys.ctrl = true;
    dialogs.messageAnswers = {ResultYes /* overwrite */, ResultYes /* A.WAV */, ResultOk};
    ASSERT_TRUE(SaveProject(context, file, true, "", 0));
    EXPECT_EQ(ReadText(file), std::string(4000, 'X'));
    EXPECT_EQ(Content("P/AUDIO/A.WAV"), "MONO16");

    EXPECT_EQ(doc.ZDTData(), ReadBytes(file));  // the file on disk is loaded afterwards

    // Changes are written with Ctrl held; without Ctrl an unchanged document is written too.
    for (bool ctrl : {true, false}) {
        WriteBytes(file, TextBytes("X"));
        LoadSetup(element);
        if (!ctrl) doc.MarkSaved();
        dialogs.keys.ctrl = ctrl;
        dialogs.messageAnswers = {ResultYes};
        ASSERT_TRUE(SaveProject(context, file, true, "", 0));
        EXPECT_EQ(ReadBytes(file), ProjectBytes(element)) << ctrl;
    }
}

TEST_F(SaveProjectTest, CancelAbortsSilentlyAndNoStopsWithoutWriting) {
    ProjectSetup element;
    std::string file = MakeProject("P", element);
    Bytes before = ReadBytes(file);
    element.name = "OTHER";
    LoadSetup(element);
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_THROW(SaveProject(context, file, true, "", 0), SilentAbort);
    dialogs.messageAnswers = {ResultNo};
    EXPECT_FALSE(SaveProject(context, file, true, "", 0));
    EXPECT_EQ(ReadBytes(file), before);

    // A missing AUDIO folder: No stops before anything is created.
    dialogs.messageAnswers = {ResultNo};
    EXPECT_FALSE(SaveProject(context, (dir / "NEW" / "PRJDATA.ZDT").string(), true, "", 0));
    EXPECT_FALSE(fs::exists(dir / "NEW"));
}

TEST_F(SaveProjectTest, AShortDocumentIsFilledFromTheDeviceTemplate) {
    doc.ReplaceZDTData(Bytes(10, 1));
    doc.MarkChanged();
    fs::create_directories(dir / "P" / "AUDIO");
    ASSERT_TRUE(SaveProject(context, (dir / "P" / "PRJDATA.ZDT").string(), false, "", 0));
    EXPECT_EQ(ReadText(dir / "P" / "PRJDATA.ZDT"), "P" + std::string(MinProjectDataSize - 1, '\0'));
}

TEST_F(SaveProjectTest, AMissingTemplateIsReportedOncePerRunAndNoToAllCreatesNone) {
    ProjectSetup element;
    element.wavNames = {"A.WAV", "B.WAV", "C.WAV"};
    LoadSetup(element);
    context.options.templates.wavMono16 = (dir / "gone.wav").string();
    fs::create_directories(dir / "P" / "AUDIO");
    dialogs.messageAnswers = {ResultYesToAll, ResultOk};
    int created = CreateMissingWavFiles(context, Folder("P") + "AUDIO/", false);
    EXPECT_EQ(created, 0);
    ASSERT_EQ(dialogs.CountAsked("message"), 2);
    EXPECT_NE(AskedText(1).find("Problem beim Kopieren\r\n  von \"" + (dir / "gone.wav").string()), std::string::npos);

    // No to all creates none and shows no list.
    context.options.templates.wavMono16 = (dir / "templates" / "m16.wav").string();
    dialogs.asked.clear();
    dialogs.messageAnswers = {ResultNoToAll};
    EXPECT_EQ(CreateMissingWavFiles(context, Folder("P") + "AUDIO/", false), 0);
    EXPECT_EQ(dialogs.CountAsked("message"), 1);
    EXPECT_TRUE(fs::is_empty(dir / "P" / "AUDIO"));
}

TEST_F(SaveProjectTest, ReportFirstListsTheAssignments) {
    ProjectSetup element;
    element.wavNames = {"A.WAV", "LONGNAM1.WAV"};
    std::string file = MakeProject("P", element, {{"A.WAV", 100}});
    LoadSetup(element);
    std::string audio = Folder("P") + "AUDIO/";
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_EQ(CreateMissingWavFiles(context, audio, true), 0);
    EXPECT_EQ(AskedText(0), "\"" + audio + "A.WAV\":       \t vorhanden!  \r\n\"" + audio +
                                "LONGNAM1.WAV\":\t NICHT  vorhanden!  \r\n\r\nFehlende 1 Zuordungen anlegen?");

    doc.ReplaceZDTData(ProjectBytes(ProjectSetup{}));
    dialogs.messageAnswers = {ResultOk};
    EXPECT_EQ(CreateMissingWavFiles(context, audio, true), 0);
    EXPECT_EQ(dialogs.asked.back().text, "Keine Track-Datei-Zuordungen vorhanden!");

    // A name from a foreign file cannot point out of the AUDIO folder.
    element.wavNames = {"../X.WAV"};
    doc.ReplaceZDTData(ProjectBytes(element));
    EXPECT_EQ(AssignedWavNames(doc.ZDTData(), 16)[0], "");
}

}  // namespace
}  // namespace spurwerk
