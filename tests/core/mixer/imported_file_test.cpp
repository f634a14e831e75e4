// An imported file put on its track: the pair linked for a stereo file, one
// undo step, the stereo lock respected.

#include <gtest/gtest.h>

#include "mixer/imported_file.h"
#include "mixer_test_fixture.h"
#include "project/track_values.h"

namespace spurwerk::testing {
namespace {

class ImportAssignment : public MixerTest {};

TEST_F(ImportAssignment, StereoLinksThePairInOneUndoStep) {
    Load(Named({"T1.WAV", "T2.WAV", "T3.WAV"}));
    const Bytes before = doc.ZDTData();
    AssignImportedFile(*mixer, 3, "BACK.WAV", 2);  // track 4: the pair 3+4
    EXPECT_TRUE(IsStereoLocked(doc.ZDTData(), 3, 16));
    EXPECT_EQ(mixer->Files().Assignments()[2], "BACK.WAV");
    EXPECT_NE(doc.UndoText().find("Audio importiert"), std::string::npos) << doc.UndoText();
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.ZDTData(), before);
    // A mono file on the second track of a linked pair is refused, nothing changed.
    AssignImportedFile(*mixer, 0, "ST.WAV", 2);
    const Bytes linked = doc.ZDTData();
    EXPECT_THROW(AssignImportedFile(*mixer, 1, "MONO.WAV", 1), TrackLocked);
    EXPECT_EQ(doc.ZDTData(), linked);
    AssignImportedFile(*mixer, 4, "MONO.WAV", 1);
    EXPECT_EQ(mixer->Files().Assignments()[4], "MONO.WAV");
    EXPECT_FALSE(IsStereoLocked(doc.ZDTData(), 5, 16));
}

}  // namespace
}  // namespace spurwerk::testing
