#pragma once
// Play marks: up to 99 positions in milliseconds, ascending, in the mark table.
// The recording end (the longest WAV duration) is not stored in the project;
// callers pass it in.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "project/zdt_document.h"

namespace spurwerk {

class Dialogs;

int MarkCount(const Bytes& buffer);
std::int32_t MarkAt(const Bytes& buffer, int slot);
std::vector<std::int32_t> ListMarks(const Bytes& buffer);

// Empty without marks; else "\r\n\r\n<n> <text 239> \r\n" and the marks, ten a line.
std::string MarkListing(const Bytes& buffer, std::int32_t recordingEnd);

bool HasEndMark(const Bytes& buffer, std::int32_t position);
// Marks greater than position, counted from the last one down.
int MarksAfter(const Bytes& buffer, std::int32_t position);

// Each returns true when the table changed.
bool DeleteMarksAfter(ZDTDocument& doc, std::int32_t position);
bool DeleteAllMarks(ZDTDocument& doc);

enum class SetEndMarkResult {
    Nothing,        // recording end <= 0, or already a mark
    Inserted,
    TableFull,      // 99 marks and the end would need a 100th slot: refused
};
// Inserts the recording end; marks after it prompt text 247 (Yes deletes them).
SetEndMarkResult SetEndMark(ZDTDocument& doc, std::int32_t recordingEnd, Dialogs& dialogs);

// Message shown when the table is full.
std::string MarkTableFullMessage();

}  // namespace spurwerk
