#include "project/play_marks.h"

#include <algorithm>

#include "project/track_layout.h"
#include "project/value_texts.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "ui/dialogs.h"

namespace spurwerk {

using namespace layout;

namespace {
std::size_t SlotOffset(int slot) { return MarkTableOffset + MarkSlotSize * static_cast<std::size_t>(slot); }

void WriteMark(ZDTDocument& doc, int slot, std::int32_t value) {
    doc.WriteZDTLong(SlotOffset(slot), static_cast<std::uint32_t>(value));
}
}  // namespace

int MarkCount(const Bytes& buffer) { return ReadZDTByte(buffer, MarkCountOffset); }

std::int32_t MarkAt(const Bytes& buffer, int slot) {
    if (slot < 0 || slot >= MarkSlots) return 0;
    return static_cast<std::int32_t>(ReadZDTLong(buffer, SlotOffset(slot)));
}

std::vector<std::int32_t> ListMarks(const Bytes& buffer) {
    // A count above the table's size is clamped: the slots beyond it do not exist.
    int count = std::min(MarkCount(buffer), MarkSlots);
    std::vector<std::int32_t> marks;
    for (int i = 0; i < count; ++i) marks.push_back(MarkAt(buffer, i));
    return marks;
}

std::string MarkListing(const Bytes& buffer, std::int32_t recordingEnd) {
    std::vector<std::int32_t> marks = ListMarks(buffer);
    if (marks.empty()) return "";
    std::string text = "\r\n\r\n" + std::to_string(MarkCount(buffer)) + " " + Txt(239) + " \r\n";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        text += MillisecondsText(marks[i]);
        if (marks[i] == recordingEnd) text += " (REC-END)";
        text += (i % 10 == 9) ? "\r\n" : "   ";
    }
    return text;
}

bool HasEndMark(const Bytes& buffer, std::int32_t position) {
    std::vector<std::int32_t> marks = ListMarks(buffer);
    for (auto it = marks.rbegin(); it != marks.rend(); ++it)
        if (*it == position) return true;
    return false;
}

int MarksAfter(const Bytes& buffer, std::int32_t position) {
    std::vector<std::int32_t> marks = ListMarks(buffer);
    int n = 0;
    for (auto it = marks.rbegin(); it != marks.rend() && *it > position; ++it) ++n;
    return n;
}

bool DeleteMarksAfter(ZDTDocument& doc, std::int32_t position) {
    int count = std::min(MarkCount(doc.ZDTData()), MarkSlots);
    int newCount = count;
    while (newCount > 0 && MarkAt(doc.ZDTData(), newCount - 1) > position) {
        WriteMark(doc, newCount - 1, 0);
        --newCount;
    }
    if (newCount == count) return false;
    doc.WriteZDTByte(MarkCountOffset, static_cast<std::uint8_t>(newCount));
    return true;
}

bool DeleteAllMarks(ZDTDocument& doc) {
    doc.WriteZDTByte(MarkCountOffset, 0);
    for (int slot = 0; slot < MarkSlots; ++slot) WriteMark(doc, slot, 0);
    return true;
}

std::string MarkTableFullMessage() {
    return UiTxt(UiText::MarkTableFull, std::to_string(MarkSlots));
}

SetEndMarkResult SetEndMark(ZDTDocument& doc, std::int32_t recordingEnd, Dialogs& dialogs) {
    if (recordingEnd <= 0) return SetEndMarkResult::Nothing;
    std::vector<std::int32_t> marks = ListMarks(doc.ZDTData());
    for (std::int32_t m : marks)
        if (m == recordingEnd) return SetEndMarkResult::Nothing;

    // Work on a copy first: a full table must leave the document untouched.
    std::vector<std::int32_t> result;
    bool answeredNo = false;
    bool droppedLater = false;
    std::size_t i = 0;
    for (; i < marks.size() && marks[i] < recordingEnd; ++i) result.push_back(marks[i]);
    result.push_back(recordingEnd);
    if (i < marks.size()) {
        // Marks after the recording end exist.
        int answer = dialogs.Message(Txt(247), MessageButtons::YesNo);
        if (answer == ResultYes) droppedLater = true;
        else answeredNo = true;
    }
    if (answeredNo)
        for (; i < marks.size(); ++i) result.push_back(marks[i]);

    if (result.size() > static_cast<std::size_t>(MarkSlots)) return SetEndMarkResult::TableFull;

    for (std::size_t slot = 0; slot < result.size(); ++slot) WriteMark(doc, static_cast<int>(slot), result[slot]);
    // Freed slots hold 0; after "Yes" every slot behind the end mark is cleared.
    std::size_t clearTo = droppedLater ? static_cast<std::size_t>(MarkSlots) : marks.size();
    for (std::size_t slot = result.size(); slot < clearTo; ++slot) WriteMark(doc, static_cast<int>(slot), 0);
    doc.WriteZDTByte(MarkCountOffset, static_cast<std::uint8_t>(result.size()));
    return SetEndMarkResult::Inserted;
}

}  // namespace spurwerk
