// The WAV list of the AUDIO folder and the colours of the file fields.

#include <gtest/gtest.h>

#include "io/path_text.h"
#include "mixer_test_fixture.h"

namespace spurwerk::testing {
namespace {

class MixerWavAssignment : public MixerTest {
protected:
    static void Assign(Bytes& data, std::size_t offset, const std::string& name) {
        for (std::size_t i = 0; i < name.size(); ++i) data[offset + i] = static_cast<std::uint8_t>(name[i]);
    }
};

TEST_F(MixerWavAssignment, TwoTracksOnOneFileShowTheSecondYellowAndCountTheFileOnce) {
    Bytes data = BlankProject();
    Assign(data, layout::WavNameOffset(1), "GIT.WAV");
    Assign(data, layout::WavNameOffset(4), "GIT.WAV");
    Assign(data, layout::WavNameOffset(6), "BASS");      // no extension: matches BASS.WAV
    Assign(data, layout::MasterWavNameOffset, "MIX.WAV");
    std::filesystem::create_directories(Audio());
    WriteWav(Audio() / "GIT.WAV", 2500);
    WriteWav(Audio() / "BASS.WAV", 4000);
    WriteWav(Audio() / "MIX.WAV", 1000);
    WriteWav(Audio() / "SPARE.WAV", 500);
    Load(data);

    EXPECT_EQ(C("EDFileAss_2").colour, colours::Window);
    EXPECT_EQ(C("EDFileAss_5").colour, colours::Yellow);
    EXPECT_EQ(C("EDFileAss_7").colour, colours::Window);
    EXPECT_EQ(C("EDFileAss_1").colour, colours::Window);   // empty counts as found
    EXPECT_EQ(C("EDFileAss_17").colour, colours::Green);   // the master field whenever it holds a name
    const WavList& list = mixer->Files().WavFiles();
    ASSERT_EQ(list.lines.size(), 5u);
    EXPECT_EQ(list.lines[0], "4 WAV-Dateien,  3 davon Tracks zugeordnet!");
    EXPECT_EQ(list.lines[1].substr(0, 19), "BASS.WAV     [Tr.7]");
    EXPECT_EQ(list.lines[2].substr(0, 19), "GIT.WAV      [Tr.2]");
    EXPECT_EQ(list.lines[3].substr(0, 19), "MIX.WAV      [Tr.M]");
    EXPECT_EQ(list.lines[4].substr(0, 20), "SPARE.WAV           ");
    EXPECT_NE(list.lines[4].find("[t="), std::string::npos);
    EXPECT_EQ(mixer->Files().RecordingEnd(), 4000);
    // A chosen line names its file, whatever the line shows after the name.
    EXPECT_EQ(mixer->Files().WavListPath(4), PathText(Audio() / "SPARE.WAV"));
    EXPECT_EQ(mixer->Files().WavListPath(0), "");
    EXPECT_EQ(mixer->Files().WavListPath(5), "");
    EXPECT_NE(mixer->Menu().InfoTexts().infoLine.find("4s"), std::string::npos);
}

TEST_F(MixerWavAssignment, AMissingFileIsRedAndWarnedAboutInTheHeader) {
    Bytes data = BlankProject();
    Assign(data, layout::WavNameOffset(0), "TAKE9.WAV");
    Load(data);
    EXPECT_EQ(C("EDFileAss_1").colour, colours::Red);
    EXPECT_EQ(mixer->Files().WavFiles().missing, 1);
    EXPECT_EQ(mixer->Files().WavFiles().lines[0],
              "0 WAV-Dateien,  0 davon Tracks zugeordnet!  !!! Zuordnungen ohne vorhandene Datei: 1 !!!");
    // Creating the file and typing the name again turns the field normal.
    WriteWav(Audio() / "TAKE9.WAV", 100);
    mixer->Controls().SetText("EDFileAss_1", "take9.wav");
    EXPECT_EQ(C("EDFileAss_1").colour, colours::Window);
    EXPECT_EQ(mixer->Files().WavFiles().missing, 0);
    EXPECT_EQ(mixer->Files().WavFiles().lines[0], "1 WAV-Dateien,  1 davon Tracks zugeordnet!");
}

TEST_F(MixerWavAssignment, WithoutALoadedProjectTheListHoldsOnlyItsEmptyFirstLine) {
    Create();
    mixer->Files().BuildWavList();
    EXPECT_EQ(mixer->Files().WavFiles().lines, std::vector<std::string>{""});
    EXPECT_EQ(mixer->Files().RecordingEnd(), 0);
}

TEST_F(MixerWavAssignment, SavingOffersToShortenALongNameAndStopsCleaningOnCancel) {
    Bytes data = BlankProject();
    Assign(data, layout::WavNameOffset(0), "Schlagzeug");
    Assign(data, layout::WavNameOffset(1), "Gitarre");
    Load(data);
    dialogs.timedAnswers = {ResultOk};
    dialogs.timedInputs = {"Schlagzeug"};
    mixer->Files().NormalizeTrackWavNames();
    EXPECT_EQ(C("EDFileAss_1").text, "SCHLAGZE.WAV");
    EXPECT_EQ(C("EDFileAss_2").text, "GITARRE.WAV");
    EXPECT_EQ(ReadWavName(doc.ZDTData(), layout::WavNameOffset(1)), "GITARRE.WAV");

    mixer->Controls().SetText("EDFileAss_1", "Schlagzeug");
    mixer->Controls().SetText("EDFileAss_2", "Gitarre");
    dialogs.timedAnswers = {ResultCancel};
    mixer->Files().NormalizeTrackWavNames();
    EXPECT_EQ(C("EDFileAss_1").text, "Schlagzeug");
    EXPECT_EQ(C("EDFileAss_2").text, "Gitarre");
}

}  // namespace
}  // namespace spurwerk::testing
