#include "project/play_mark_edits.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "project/play_marks.h"
#include "project/track_layout.h"

namespace spurwerk {

namespace {

// Rewrites the table: slots in order, freed slots 0, then the count.
void WriteMarks(ZDTDocument& doc, const std::vector<std::int32_t>& marks, std::size_t oldCount) {
    for (std::size_t slot = 0; slot < std::max(marks.size(), oldCount); ++slot) {
        const std::int32_t value = slot < marks.size() ? marks[slot] : 0;
        doc.WriteZDTLong(layout::MarkTableOffset + layout::MarkSlotSize * slot, static_cast<std::uint32_t>(value));
    }
    doc.WriteZDTByte(layout::MarkCountOffset, static_cast<std::uint8_t>(marks.size()));
}

}  // namespace

std::int32_t MarkPositionInRange(std::int64_t ms, std::int32_t recordingEnd) {
    const std::int64_t top = recordingEnd > 0 ? recordingEnd : INT32_MAX;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ms, 0, top));
}

MarkEdit InsertMark(ZDTDocument& doc, std::int64_t ms, std::int32_t recordingEnd) {
    std::vector<std::int32_t> marks = ListMarks(doc.ZDTData());
    const std::int32_t at = MarkPositionInRange(ms, recordingEnd);
    const auto it = std::lower_bound(marks.begin(), marks.end(), at);
    if (it != marks.end() && *it == at) return MarkEdit::Unchanged;
    if (marks.size() >= static_cast<std::size_t>(layout::MarkSlots)) return MarkEdit::TableFull;
    const std::size_t oldCount = marks.size();
    marks.insert(it, at);
    WriteMarks(doc, marks, oldCount);
    return MarkEdit::Done;
}

MarkEdit MoveMark(ZDTDocument& doc, int index, std::int64_t ms, std::int32_t recordingEnd, int* newIndex) {
    std::vector<std::int32_t> marks = ListMarks(doc.ZDTData());
    if (newIndex) *newIndex = index;
    if (index < 0 || static_cast<std::size_t>(index) >= marks.size()) return MarkEdit::Unchanged;
    const std::int32_t at = MarkPositionInRange(ms, recordingEnd);
    if (std::find(marks.begin(), marks.end(), at) != marks.end()) return MarkEdit::Unchanged;
    marks.erase(marks.begin() + index);
    const auto it = std::lower_bound(marks.begin(), marks.end(), at);
    if (newIndex) *newIndex = static_cast<int>(it - marks.begin());
    marks.insert(it, at);
    WriteMarks(doc, marks, marks.size());
    return MarkEdit::Done;
}

MarkEdit DeleteMark(ZDTDocument& doc, int index) {
    std::vector<std::int32_t> marks = ListMarks(doc.ZDTData());
    if (index < 0 || static_cast<std::size_t>(index) >= marks.size()) return MarkEdit::Unchanged;
    const std::size_t oldCount = marks.size();
    marks.erase(marks.begin() + index);
    WriteMarks(doc, marks, oldCount);
    return MarkEdit::Done;
}

}  // namespace spurwerk
