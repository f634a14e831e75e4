#pragma once
// Play marks edited one at a time, as on a time line: set at a position, move,
// delete. The table stays ascending without duplicates, with at most 99
// marks, and no mark lies past the recording end (when it is known). The
// caller makes each edit one undo step.

#include <cstdint>

#include "project/zdt_document.h"

namespace spurwerk {

enum class MarkEdit {
    Done,
    Unchanged,  // nothing to do: a mark is already there, an index outside the table
    TableFull,  // a 100th mark: refused, the table is untouched
};

// The position a mark can take: 0 .. recordingEnd (no upper bound when
// recordingEnd <= 0).
std::int32_t MarkPositionInRange(std::int64_t ms, std::int32_t recordingEnd);

MarkEdit InsertMark(ZDTDocument& doc, std::int64_t ms, std::int32_t recordingEnd);
// Moves mark `index` (0-based in the table); it may pass its neighbours, and
// `newIndex` receives where it stands afterwards. Moving onto another mark is
// refused (Unchanged).
MarkEdit MoveMark(ZDTDocument& doc, int index, std::int64_t ms, std::int32_t recordingEnd, int* newIndex = nullptr);
MarkEdit DeleteMark(ZDTDocument& doc, int index);

}  // namespace spurwerk
