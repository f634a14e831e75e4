// Play marks set, moved and deleted one at a time: the table stays ascending,
// bounded and within the recording end; a refused edit writes nothing.

#include <gtest/gtest.h>

#include "project/play_mark_edits.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "test_bytes.h"

namespace spurwerk {
namespace {

using namespace testing;

enum class Op { Insert, Move, Delete };

struct EditCase {
    const char* name;
    std::vector<std::int32_t> marks;
    Op op;
    int index;
    std::int64_t ms;
    std::int32_t recordingEnd;
    MarkEdit result;
    std::vector<std::int32_t> after;
    int newIndex;
};

TEST(PlayMarkEditsTest, Table) {
    const std::vector<EditCase> cases = {
        {"insert into empty", {}, Op::Insert, 0, 500, 0, MarkEdit::Done, {500}, 0},
        {"insert in the middle", {100, 300}, Op::Insert, 0, 200, 0, MarkEdit::Done, {100, 200, 300}, 0},
        {"insert at the front", {100, 300}, Op::Insert, 0, 50, 0, MarkEdit::Done, {50, 100, 300}, 0},
        {"insert where a mark is", {100, 300}, Op::Insert, 0, 300, 0, MarkEdit::Unchanged, {100, 300}, 0},
        {"insert past the recording end lands on it", {100}, Op::Insert, 0, 9000, 5000, MarkEdit::Done, {100, 5000}, 0},
        {"insert before 0 lands on 0", {100}, Op::Insert, 0, -40, 5000, MarkEdit::Done, {0, 100}, 0},
        {"move within its neighbours", {100, 200, 300}, Op::Move, 1, 250, 0, MarkEdit::Done, {100, 250, 300}, 1},
        {"move past a neighbour", {100, 200, 300}, Op::Move, 0, 350, 0, MarkEdit::Done, {200, 300, 350}, 2},
        {"move to the front", {100, 200, 300}, Op::Move, 2, 10, 0, MarkEdit::Done, {10, 100, 200}, 0},
        {"move onto another mark", {100, 200, 300}, Op::Move, 0, 200, 0, MarkEdit::Unchanged, {100, 200, 300}, 0},
        {"move past the recording end", {100, 200}, Op::Move, 0, 999999, 1000, MarkEdit::Done, {200, 1000}, 1},
        {"move a mark that is not there", {100}, Op::Move, 1, 50, 0, MarkEdit::Unchanged, {100}, 1},
        {"delete the first", {100, 200, 300}, Op::Delete, 0, 0, 0, MarkEdit::Done, {200, 300}, 0},
        {"delete the last", {100, 200, 300}, Op::Delete, 2, 0, 0, MarkEdit::Done, {100, 200}, 0},
        {"delete outside the table", {100}, Op::Delete, -1, 0, 0, MarkEdit::Unchanged, {100}, 0},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        ZDTDocument doc;
        doc.ReplaceZDTData(ProjectBytes({.marks = c.marks}));
        const Bytes before = doc.ZDTData();
        int newIndex = 0;
        MarkEdit result = c.op == Op::Insert ? InsertMark(doc, c.ms, c.recordingEnd)
                          : c.op == Op::Move ? MoveMark(doc, c.index, c.ms, c.recordingEnd, &newIndex)
                                             : DeleteMark(doc, c.index);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(ListMarks(doc.ZDTData()), c.after);
        if (c.op == Op::Move) {
            EXPECT_EQ(newIndex, c.newIndex);
        }
        if (result == MarkEdit::Unchanged) {
            EXPECT_EQ(doc.ZDTData(), before);
        }
        // Slots behind the count hold 0, as the recorder leaves them.
        for (int slot = static_cast<int>(c.after.size()); slot < layout::MarkSlots; ++slot)
            ASSERT_EQ(MarkAt(doc.ZDTData(), slot), 0) << slot;
    }
}

TEST(PlayMarkEditsTest, FullTableRefusesAnotherMark) {
    std::vector<std::int32_t> marks;
    for (int i = 0; i < layout::MarkSlots; ++i) marks.push_back(10 * (i + 1));
    ZDTDocument doc;
    doc.ReplaceZDTData(ProjectBytes({.marks = marks}));
    const Bytes before = doc.ZDTData();
    EXPECT_EQ(InsertMark(doc, 5, 0), MarkEdit::TableFull);
    EXPECT_EQ(doc.ZDTData(), before);
    // Moving needs no new slot.
    EXPECT_EQ(MoveMark(doc, 0, 5, 0), MarkEdit::Done);
    EXPECT_EQ(MarkCount(doc.ZDTData()), layout::MarkSlots);
}

}  // namespace
}  // namespace spurwerk
