#include <gtest/gtest.h>

#include "project/play_marks.h"
#include "project/track_layout.h"
#include "scripted_dialogs.h"
#include "test_bytes.h"
#include "settings/text_table.h"

namespace spurwerk {
namespace {

using testing::ScriptedDialogs;

ZDTDocument ProjectWithMarks(const std::vector<std::int32_t>& marks) {
    ZDTDocument doc;
    doc.ReplaceZDTData(testing::ProjectBytes({.marks = marks}));
    doc.MarkLoaded();
    return doc;
}

TEST(SetEndMark, MarksAfterTheEndAreKeptOnNoAndDroppedOnYes) {
    for (bool yes : {false, true}) {
        ZDTDocument doc = ProjectWithMarks({1000, 5000, 9000});
        doc.WriteZDTLong(layout::MarkTableOffset + 10 * layout::MarkSlotSize, 12345);  // stale, behind the count
        ScriptedDialogs dialogs;
        dialogs.messageAnswers = {yes ? ResultYes : ResultNo};
        EXPECT_EQ(SetEndMark(doc, 7000, dialogs), SetEndMarkResult::Inserted);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].text, Txt(247));
        if (yes) {
            EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 5000, 7000}));
            EXPECT_EQ(MarkAt(doc.ZDTData(), 3), 0);  // the displaced 9000 is gone from the table
            EXPECT_EQ(MarkAt(doc.ZDTData(), 10), 0);  // and every slot behind the end mark is cleared
        } else {
            EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 5000, 7000, 9000}));
        }
        EXPECT_TRUE(doc.DataChanged());
    }
}

TEST(SetEndMark, AppendsWithoutQuestionAndLeavesAnExistingEndMarkAlone) {
    ScriptedDialogs dialogs;
    ZDTDocument doc = ProjectWithMarks({1000, 5000});
    EXPECT_EQ(SetEndMark(doc, 7000, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 5000, 7000}));

    ZDTDocument empty = ProjectWithMarks({});
    EXPECT_EQ(SetEndMark(empty, 7000, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(ListMarks(empty.ZDTData()), (std::vector<std::int32_t>{7000}));

    ZDTDocument present = ProjectWithMarks({1000, 7000, 9000});
    Bytes before = present.ZDTData();
    EXPECT_EQ(SetEndMark(present, 7000, dialogs), SetEndMarkResult::Nothing);
    EXPECT_EQ(SetEndMark(present, 0, dialogs), SetEndMarkResult::Nothing);
    EXPECT_EQ(present.ZDTData(), before);
    EXPECT_FALSE(present.DataChanged());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST(SetEndMark, NinetyEightMarksTakeOneMoreAndAFullTableIsRefused) {
    std::vector<std::int32_t> marks;
    for (int i = 1; i <= 98; ++i) marks.push_back(i * 1000);
    ZDTDocument doc = ProjectWithMarks(marks);
    ScriptedDialogs dialogs;
    EXPECT_EQ(SetEndMark(doc, 200000, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(MarkCount(doc.ZDTData()), 99);
    EXPECT_EQ(MarkAt(doc.ZDTData(), 98), 200000);
    doc.WriteZDTByte(layout::MarkCountOffset + 1, 0xAB);  // the byte after the count stays too
    Bytes before = doc.ZDTData();
    doc.MarkSaved();
    EXPECT_EQ(SetEndMark(doc, 300000, dialogs), SetEndMarkResult::TableFull);
    dialogs.messageAnswers = {ResultNo};
    EXPECT_EQ(SetEndMark(doc, 500, dialogs), SetEndMarkResult::TableFull);
    EXPECT_EQ(doc.ZDTData(), before);
    EXPECT_FALSE(doc.DataChanged());
    // Dropping the later marks makes room.
    dialogs.messageAnswers = {ResultYes};
    EXPECT_EQ(SetEndMark(doc, 1500, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 1500}));
}

TEST(PlayMarks, DeleteAfterStopsAtTheFirstMarkNotGreater) {
    ZDTDocument doc = ProjectWithMarks({1000, 7000, 8000, 9500});
    EXPECT_EQ(MarksAfter(doc.ZDTData(), 7000), 2);
    EXPECT_EQ(MarkAt(doc.ZDTData(), layout::MarkSlots), 0);  // no slot there: the count lies behind the table
    EXPECT_TRUE(HasEndMark(doc.ZDTData(), 7000));
    EXPECT_TRUE(DeleteMarksAfter(doc, 7000));
    EXPECT_EQ(ListMarks(doc.ZDTData()), (std::vector<std::int32_t>{1000, 7000}));
    EXPECT_EQ(MarkAt(doc.ZDTData(), 2), 0);
    EXPECT_EQ(MarkAt(doc.ZDTData(), 3), 0);
    doc.MarkSaved();
    EXPECT_FALSE(DeleteMarksAfter(doc, 7000));
    EXPECT_FALSE(doc.DataChanged());

    EXPECT_TRUE(DeleteAllMarks(doc));
    EXPECT_EQ(MarkCount(doc.ZDTData()), 0);
    EXPECT_EQ(MarkAt(doc.ZDTData(), 0), 0);
    EXPECT_TRUE(ListMarks(Bytes(50, 0xFF)).empty());  // a short document has no marks
}

TEST(PlayMarks, ListingPutsTenMarksOnALineAndFlagsTheRecordingEnd) {
    std::vector<std::int32_t> marks;
    for (int i = 1; i <= 12; ++i) marks.push_back(i * 1000);
    ZDTDocument doc = ProjectWithMarks(marks);
    std::string listing = MarkListing(doc.ZDTData(), 11000);
    std::string head = "\r\n\r\n12 " + Txt(239) + " \r\n";
    ASSERT_EQ(listing.substr(0, head.size()), head);
    std::string body = listing.substr(head.size());
    std::size_t firstLineEnd = body.find("\r\n");
    ASSERT_NE(firstLineEnd, std::string::npos);
    EXPECT_EQ(body.substr(firstLineEnd - 11, 11), "     10s   ");  // tenth mark ends the line
    EXPECT_NE(body.find("     11s    (REC-END)   "), std::string::npos);
    EXPECT_EQ(MarkListing(ProjectWithMarks({}).ZDTData(), 0), "");
}

}  // namespace
}  // namespace spurwerk
