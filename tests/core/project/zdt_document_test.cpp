// The document's bytes, its play marks, and the hex view of them.

#include <gtest/gtest.h>

#include "project/hex_layout.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "scripted_dialogs.h"
#include "settings/text_table.h"
#include "test_bytes.h"

namespace spurwerk {
namespace {

using namespace testing;

TEST(ZDTDocument, ReadsAtTheEdgeWritesLittleEndianGrowsWithZerosAndTellsTheListeners) {
    Bytes b = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    EXPECT_EQ(ReadZDTWord(b, 4), 0x0605);  // size - 2: last bytes
    EXPECT_EQ(ReadZDTWord(b, 5), 0);       // size - 1: out of range
    EXPECT_EQ(ReadZDTLong(b, 2), 0x06050403u);
    EXPECT_EQ(ReadZDTLong(b, static_cast<std::size_t>(-2)), 0u);  // no wrap-around
    EXPECT_EQ(ReadZDTString(b, 4, 3), "   ");  // never a shorter string
    EXPECT_EQ(ReadZDTString(Bytes{'A', 0, 'B'}, 0, 3), std::string("A\0B", 3));  // zero bytes are kept
    EXPECT_EQ(TrimControlChars(std::string("\0 SONG\t\0", 8)), "SONG");
    EXPECT_EQ(TrimControlChars("A B"), "A B");

    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(8, 0xEE));
    // A listener hears every write until it unsubscribes.
    std::vector<std::pair<std::size_t, std::size_t>> writes;
    int token = doc.Subscribe([&](const DocumentChange& c) {
        if (c.event == DocumentEvent::Written) writes.emplace_back(c.offset, c.length);
    });
    doc.WriteZDTWord(1, 0x1234);
    doc.WriteZDTLong(4, 0xA1B2C3D4);
    doc.Unsubscribe(token);
    doc.WriteZDTString(9, "AB");
    EXPECT_EQ(doc.ZDTData(), (Bytes{0xEE, 0x34, 0x12, 0xEE, 0xD4, 0xC3, 0xB2, 0xA1, 0, 'A', 'B'}));
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1], std::make_pair(std::size_t{4}, std::size_t{4}));
}

TEST(HexLayout, CellsPairUpCompareAgainstAShorterFileAndHintAtTheirValues) {
    EXPECT_EQ(HexRowHeightFor(9), 14);  // 13.5: ties to even
    EXPECT_EQ(HexCellX(2, 8), 32);
    EXPECT_EQ(HexCellX(17, 8), 14);
    EXPECT_EQ(HexIndexAt(33, 13, 8, 12), 18u);
    EXPECT_EQ(HexIndexAt(259, 0, 8, 12), 16u);  // right of the last column
    EXPECT_EQ(HexPanelHeight(3332, 12), 2536);

    Bytes five{1, 2, 3, 4, 5};
    Bytes compare{1, 9, 3};
    EXPECT_EQ(HexCellStateAt(five, compare, 0), HexCellState::Equal);
    EXPECT_EQ(HexCellStateAt(five, compare, 1), HexCellState::Different);
    EXPECT_EQ(HexCellStateAt(five, compare, 3), HexCellState::NoCompare);
    EXPECT_EQ(CountDifferences(five, compare), 1u);
    EXPECT_EQ(CountDifferences(compare, five), 1u);  // extra compare bytes are not counted
    EXPECT_EQ(CompareBytesText(compare, 1, 8), "09 03 ");
    EXPECT_EQ(HexAddressText(0xABC0), "$ABC0:");

    // The hint decodes the values and names the bound controls.
    Bytes data(3332, 0);
    data[0] = 0x41;
    data[1] = 0x80;
    data[3] = 0xFF;  // 32-bit value at 0 has the top bit set
    EXPECT_EQ(HexHintText(data, data, 0, 16),
              "Idx=0 ($0000):      1B. = 65 ($41)      2B. = 32833 ($8041)      4B. = -16744383 ($FF008041)"
              "          (8B.-Str. = \"A\xC2\x80~\xC3\xBF~~~~\")\n"
              "Byte-Compare.: 41 80 00 FF 00 00 00 00 ...");
    std::string end = HexHintText(data, Bytes{}, data.size() - 1, 16);
    EXPECT_NE(end.find("2B. = 0 ($0000)      4B. = 0 ($00000000)"), std::string::npos) << end;
    EXPECT_EQ(end.substr(end.find('\n')), "\nByte-Compare.: ...");
    // The fader of track 3 lies at 104; track 16's (at 156) is named only with 16 strips.
    EXPECT_NE(HexHintText(data, data, 104, 16).find("...\n\n(TBFader_3)"), std::string::npos);
    EXPECT_NE(HexHintText(data, data, 156, 16).find("(TBFader_16)"), std::string::npos);
    EXPECT_EQ(HexHintText(data, data, 156, 15).find("(TBFader_16)"), std::string::npos);
}

using Marks = std::vector<std::int32_t>;

ZDTDocument ProjectWithMarks(const Marks& marks) {
    ZDTDocument doc;
    doc.ReplaceZDTData(ProjectBytes({.marks = marks}));
    doc.MarkLoaded();
    return doc;
}

TEST(SetEndMark, AppendsAsksAboutMarksAfterTheEndLeavesAnExistingEndMarkAloneAndRefusesAFullTable) {
    for (bool yes : {false, true}) {
        ZDTDocument doc = ProjectWithMarks({1000, 5000, 9000});
        // A stale mark behind the count.
        doc.WriteZDTLong(layout::MarkTableOffset + 10 * layout::MarkSlotSize, 12345);
        ScriptedDialogs dialogs;
        dialogs.messageAnswers = {yes ? ResultYes : ResultNo};
        EXPECT_EQ(SetEndMark(doc, 7000, dialogs), SetEndMarkResult::Inserted);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].text, Txt(247));
        EXPECT_EQ(ListMarks(doc.ZDTData()), (yes ? Marks{1000, 5000, 7000} : Marks{1000, 5000, 7000, 9000}));
        if (yes) {
            EXPECT_EQ(MarkAt(doc.ZDTData(), 3), 0);  // the displaced 9000 is gone from the table
            EXPECT_EQ(MarkAt(doc.ZDTData(), 10), 0);  // and every slot behind the end mark is cleared
        }
        EXPECT_TRUE(doc.DataChanged());
    }

    ScriptedDialogs dialogs;
    ZDTDocument doc = ProjectWithMarks({});
    EXPECT_EQ(SetEndMark(doc, 7000, dialogs), SetEndMarkResult::Inserted);  // no question
    EXPECT_EQ(ListMarks(doc.ZDTData()), (Marks{7000}));

    ZDTDocument present = ProjectWithMarks({1000, 7000, 9000});
    Bytes before = present.ZDTData();
    EXPECT_EQ(SetEndMark(present, 7000, dialogs), SetEndMarkResult::Nothing);
    EXPECT_EQ(SetEndMark(present, 0, dialogs), SetEndMarkResult::Nothing);
    EXPECT_EQ(present.ZDTData(), before);
    EXPECT_FALSE(present.DataChanged());
    EXPECT_TRUE(dialogs.asked.empty());

    // Ninety-eight marks take one more; a full table is refused.
    Marks marks;
    for (int i = 1; i <= 98; ++i) marks.push_back(i * 1000);
    ZDTDocument full = ProjectWithMarks(marks);
    EXPECT_EQ(SetEndMark(full, 200000, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(MarkAt(full.ZDTData(), 98), 200000);
    full.WriteZDTByte(layout::MarkCountOffset + 1, 0xAB);  // the byte after the count stays too
    before = full.ZDTData();
    full.MarkSaved();
    EXPECT_EQ(SetEndMark(full, 300000, dialogs), SetEndMarkResult::TableFull);
    dialogs.messageAnswers = {ResultNo};
    EXPECT_EQ(SetEndMark(full, 500, dialogs), SetEndMarkResult::TableFull);
    EXPECT_EQ(full.ZDTData(), before);
    EXPECT_FALSE(full.DataChanged());
    // Dropping the later marks makes room.
    dialogs.messageAnswers = {ResultYes};
    EXPECT_EQ(SetEndMark(full, 1500, dialogs), SetEndMarkResult::Inserted);
    EXPECT_EQ(ListMarks(full.ZDTData()), (Marks{1000, 1500}));
}

TEST(PlayMarks, DeleteAfterStopsAtTheFirstMarkNotGreaterAndListsTenALine) {
    ZDTDocument doc = ProjectWithMarks({1000, 7000, 8000, 9500});
    EXPECT_EQ(MarksAfter(doc.ZDTData(), 7000), 2);
    EXPECT_EQ(MarkAt(doc.ZDTData(), layout::MarkSlots), 0);  // no slot there: the count lies behind the table
    EXPECT_TRUE(DeleteMarksAfter(doc, 7000));
    EXPECT_EQ(ListMarks(doc.ZDTData()), (Marks{1000, 7000}));
    EXPECT_EQ(MarkAt(doc.ZDTData(), 3), 0);
    doc.MarkSaved();
    EXPECT_FALSE(DeleteMarksAfter(doc, 7000));
    EXPECT_FALSE(doc.DataChanged());
    EXPECT_TRUE(DeleteAllMarks(doc));
    EXPECT_EQ(MarkAt(doc.ZDTData(), 0), 0);
    EXPECT_TRUE(ListMarks(Bytes(50, 0xFF)).empty());  // a short document has no marks
    Bytes fullCount = ProjectWithMarks({}).ZDTData();
    fullCount[layout::MarkCountOffset] = 0xFF;  // a count beyond the table lists its 99 slots
    EXPECT_EQ(ListMarks(fullCount).size(), static_cast<std::size_t>(layout::MarkSlots));

    Marks twelve;
    for (int i = 1; i <= 12; ++i) twelve.push_back(i * 1000);
    std::string listing = MarkListing(ProjectWithMarks(twelve).ZDTData(), 11000);
    EXPECT_EQ(listing.rfind("\r\n\r\n12 " + Txt(239) + " \r\n      1s   ", 0), 0u) << listing;
    // the tenth mark ends the line
    EXPECT_NE(listing.find("     10s   \r\n     11s    (REC-END)   "), std::string::npos) << listing;
    EXPECT_EQ(MarkListing(ProjectWithMarks({}).ZDTData(), 0), "");
}

}  // namespace
}  // namespace spurwerk
