// The WAV list of the AUDIO folder and the colours of the file fields.

#include <gtest/gtest.h>

#include "io/path_text.h"
#include "mixer_test_fixture.h"

namespace spurwerk::testing {
namespace {

class MixerWavAssignment : public MixerTest {};

TEST_F(MixerWavAssignment, TwoTracksOnOneFileShowTheSecondYellowAndCountTheFileOnce) {
    WriteWav(Audio() / "GIT.WAV", 2500);
    WriteWav(Audio() / "BASS.WAV", 4000);
    WriteWav(Audio() / "MIX.WAV", 1000);
    WriteWav(Audio() / "SPARE.WAV", 500);
    // Track 7's name has no extension: it matches BASS.WAV.
    Load(Named({"", "GIT.WAV", "", "", "GIT.WAV", "", "BASS"}, "MIX.WAV"));
    // Empty (track 1) counts as found.
    EXPECT_EQ(Colours({"EDFileAss_2", "EDFileAss_5", "EDFileAss_7", "EDFileAss_1"}),
              (std::vector<Colour>{colours::Window, colours::Yellow, colours::Window, colours::Window}));
    const WavList& list = mixer->Files().WavFiles();
    ASSERT_EQ(list.lines.size(), 5u);
    EXPECT_EQ(list.lines[0], "4 WAV-Dateien,  3 davon Tracks zugeordnet!");
    EXPECT_EQ(list.lines[1].substr(0, 19), "BASS.WAV     [Tr.7]");
    EXPECT_EQ(list.lines[3].substr(0, 19), "MIX.WAV      [Tr.M]");
    EXPECT_EQ(list.lines[4].substr(0, 23), "SPARE.WAV           [t=");
    EXPECT_EQ(mixer->Files().RecordingEnd(), 4000);
    // A chosen line names its file, whatever the line shows after the name.
    EXPECT_EQ(mixer->Files().WavListPath(4), PathText(Audio() / "SPARE.WAV"));
    EXPECT_EQ(mixer->Files().WavListPath(0), "");
    EXPECT_EQ(mixer->Files().WavListPath(5), "");
}

TEST_F(MixerWavAssignment, AMissingFileIsRedAndWarnedAboutInTheHeader) {
    Create();
    mixer->Files().BuildWavList();  // no project loaded: only the empty first line
    EXPECT_EQ(mixer->Files().WavFiles().lines, std::vector<std::string>{""});
    Load(Named({"TAKE9.WAV"}));
    EXPECT_EQ(C("EDFileAss_1").colour, colours::Red);
    EXPECT_EQ(mixer->Files().WavFiles().lines[0],
              "0 WAV-Dateien,  0 davon Tracks zugeordnet!  !!! Zuordnungen ohne vorhandene Datei: 1 !!!");
    // Creating the file and typing the name again turns the field normal.
    WriteWav(Audio() / "TAKE9.WAV", 100);
    mixer->Controls().SetText("EDFileAss_1", "take9.wav");
    EXPECT_EQ(C("EDFileAss_1").colour, colours::Window);
    EXPECT_EQ(mixer->Files().WavFiles().lines[0], "1 WAV-Dateien,  1 davon Tracks zugeordnet!");
}

}  // namespace
}  // namespace spurwerk::testing
