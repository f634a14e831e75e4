// Saving the document as a complete project and creating missing WAV files.

#include "files/save_project.h"
#include "files/wav_templates.h"
#include "settings/text_table.h"
#include "files_test_fixture.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

using namespace testing;

class SaveProjectTest : public FilesFixture {
protected:
    void LoadSetup(const ProjectSetup& element) {
        doc.ReplaceZDTData(ProjectBytes(element));
        session.LoadedZDTFileName = (dir / "old" / "PRJDATA.ZDT").string();
        doc.MarkChanged();
    }
    std::string Content(const std::string& relative) { return ReadText(dir / relative); }
};

TEST_F(SaveProjectTest, NewFolderGetsAudioEffectsAndTemplateWavs) {
    LoadSetup({.wavNames = {"a.wav", "B.WAV", "C.WAV", "", "D"}, .masterWav = "M.WAV", .stereoStrips = {0}});
    context.options.useInfoFiles = true;
    // AUDIO, then A, B (no), C and the rest, then the list of created files.
    dialogs.messageAnswers = {ResultYes, ResultYes, ResultNo, ResultYesToAll, ResultOk};
    std::string target = (dir / "PRJ005" / "PRJDATA").string();  // no extension given

    ASSERT_TRUE(SaveProject(context, target, true, "NEU", 3000));

    std::string file = target + ".ZDT";
    // A is the pair of strips 0 and 1, D's name is cleaned before the save, the master is always stereo.
    const std::pair<const char*, const char*> made[] = {
        {"EFXDATA.ZDT", "EFX16"}, {"AUDIO/A.WAV", "STEREO16"}, {"AUDIO/C.WAV", "MONO16"},
        {"AUDIO/D.WAV", "MONO16"}, {"AUDIO/M.WAV", "STEREO16"}};
    for (const auto& [name, text] : made) EXPECT_EQ(Content(std::string("PRJ005/") + name), text) << name;
    EXPECT_EQ(NamesIn(dir / "PRJ005", true), (Names{"AUDIO", "AUDIO/A.WAV", "AUDIO/C.WAV", "AUDIO/D.WAV",
              "AUDIO/M.WAV", "EFXDATA.ZDT", "PRJDATA.ZDT", "PRJDATA___NEU_NAME.TXT"}));  // no B.WAV

    Bytes saved = ReadBytes(file);
    EXPECT_EQ(ReadProjectName(saved), "NEU");
    EXPECT_EQ(ReadWavName(saved, layout::WavNameOffset(0)), "A.WAV");
    // The saved project is the loaded document now.
    EXPECT_EQ(session.LoadedZDTFileName, file);
    EXPECT_EQ(doc.ZDTData(), saved);
    EXPECT_FALSE(doc.DataChanged());
    EXPECT_EQ(dialogs.asked.back().text, "3332 Bytes wurden in Datei \"" + file + "\" geschrieben!");
}

TEST_F(SaveProjectTest, TwentyFourBitProjectsGetTwentyFourBitTemplatesAndR24Effects) {
    LoadSetup({.wavNames = {"A.WAV", "B.WAV", "C.WAV"}, .bits24 = true, .stereoStrips = {2}});  // tracks 3+4
    context.options.devIsZoomR24 = true;
    fs::create_directories(dir / "P" / "AUDIO");
    dialogs.messageAnswers = {ResultYesToAll, ResultOk};
    ASSERT_TRUE(SaveProject(context, (dir / "P" / "PRJDATA.ZDT").string(), true, "", 0));
    EXPECT_EQ(Content("P/AUDIO/A.WAV") + Content("P/AUDIO/C.WAV") + Content("P/EFXDATA.ZDT"),
              "MONO24STEREO24EFX24");
    EXPECT_EQ(ReadProjectName(doc.ZDTData()), "SONG");  // no name given: the field's name stays

    // A short document is filled from the device's template.
    doc.ReplaceZDTData(Bytes(10, 1));
    doc.MarkChanged();
    fs::create_directories(dir / "Q" / "AUDIO");
    ASSERT_TRUE(SaveProject(context, (dir / "Q" / "PRJDATA.ZDT").string(), false, "", 0));
    EXPECT_EQ(ReadText(dir / "Q" / "PRJDATA.ZDT"), "Q" + std::string(MinProjectDataSize - 1, '\0'));
}

TEST_F(SaveProjectTest, CtrlSaveLeavesAnUnchangedProjectFileButCreatesMissingWavs) {
    const ProjectSetup element{.wavNames = {"A.WAV"}};
    std::string file = MakeProject("P", element);
    WriteBytes(file, TextBytes(std::string(4000, 'X')));  // differs from the document
    LoadSetup(element);
    doc.MarkSaved();
    dialogs.messageAnswers = {ResultYes /* overwrite */, ResultYes /* A.WAV */, ResultOk};
    ASSERT_TRUE(SaveProject(context, file, true, "", 0, true));
    EXPECT_EQ(Content("P/AUDIO/A.WAV"), "MONO16");
    // The file on disk, kept, is loaded afterwards, and not reported as written.
    EXPECT_EQ(doc.ZDTData(), TextBytes(std::string(4000, 'X')));
    auto reportedWritten = [&] {
        return std::any_of(dialogs.asked.begin(), dialogs.asked.end(),
                           [](const auto& a) { return a.text.find(Txt(164)) != std::string::npos; });
    };
    EXPECT_FALSE(reportedWritten());

    // Changes are written with Ctrl held; without Ctrl an unchanged document is written too.
    for (bool ctrl : {true, false}) {
        WriteBytes(file, TextBytes("X"));
        LoadSetup(element);
        if (!ctrl) doc.MarkSaved();
        dialogs.messageAnswers = {ResultYes};
        dialogs.asked.clear();
        ASSERT_TRUE(SaveProject(context, file, true, "", 0, ctrl));
        EXPECT_EQ(ReadBytes(file), ProjectBytes(element)) << ctrl;
        EXPECT_TRUE(reportedWritten()) << ctrl;
    }
}

TEST_F(SaveProjectTest, CancelAbortsSilentlyAndNoStopsWithoutWriting) {
    std::string file = MakeProject("P", {});
    Bytes before = ReadBytes(file);
    LoadSetup({.name = "OTHER"});
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

TEST_F(SaveProjectTest, AMissingTemplateIsReportedOncePerRunAndNoToAllCreatesNone) {
    LoadSetup({.wavNames = {"A.WAV", "B.WAV", "C.WAV"}});
    context.options.templates.wavMono16 = (dir / "gone.wav").string();
    fs::create_directories(dir / "P" / "AUDIO");
    dialogs.messageAnswers = {ResultYesToAll, ResultOk};
    EXPECT_EQ(CreateMissingWavFiles(context, Folder("P") + "AUDIO/", false), 0);
    ASSERT_EQ(dialogs.CountAsked("message"), 2);
    EXPECT_NE(AskedText(1).find("Kopieren\r\n  von \"" + (dir / "gone.wav").string()), std::string::npos);
}

TEST_F(SaveProjectTest, ReportFirstListsTheAssignments) {
    const ProjectSetup element{.wavNames = {"A.WAV", "LONGNAM1.WAV"}};
    MakeProject("P", element, {{"A.WAV", 100}});
    LoadSetup(element);
    std::string audio = Folder("P") + "AUDIO/";
    dialogs.messageAnswers = {ResultCancel};
    EXPECT_EQ(CreateMissingWavFiles(context, audio, true), 0);
    EXPECT_EQ(AskedText(0), "\"" + audio + "A.WAV\":       \t vorhanden!  \r\n\"" + audio +
              "LONGNAM1.WAV\":\t NICHT  vorhanden!  \r\n\r\nFehlende 1 Zuordungen anlegen?");

    // A name from a foreign file cannot point out of the AUDIO folder.
    EXPECT_EQ(AssignedWavNames(ProjectBytes({.wavNames = {"../X.WAV"}}), 16)[0], "");
}

}  // namespace
}  // namespace spurwerk
