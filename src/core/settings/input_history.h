#pragma once
// Input histories: one entry per line, most recent first, in a history file
// beside the program. This is the list behind the history input dialog; it is
// kept for the whole run and reloaded only when another history file is used.

#include <string>
#include <vector>

#include "text/ascii.h"

namespace spurwerk {

// The label of the missing-entries count: "3 nicht-existente Einträge:".
std::string NonExistentEntriesText(int count);

class InputHistory {
public:
    // Full name of the history file whose entries Items() holds; empty at start.
    const std::string& CurHistFile() const { return curHistFile_; }
    // The entries, most recent first.
    const std::vector<std::string>& Items() const { return items_; }

    // Uses `histFile` for the dialog's list (empty: no history). Environment
    // references are expanded and a name without a folder is taken relative to
    // the current directory. The file is read only when it differs from
    // CurHistFile(); a file that cannot be read gives an empty list, silently.
    void OpenHistory(const std::string& histFile);

    // Puts `value` at the top of the history `histFile` (empty: CurHistFile())
    // and writes the file when the list changed: an entry equal but for the
    // case of A-Z is replaced, unless it is the first one, which keeps its
    // spelling. A history file that does not exist is created with `value`.
    // Throws FileError when the file cannot be read or written; the list and
    // CurHistFile() are then as they were.
    void AddToHistory(const std::string& value, const std::string& histFile);
    // AddToHistory(value, "") when a history file is in use; otherwise nothing.
    void AddToCurrentHistory(const std::string& value);

    // Entries that, with environment references expanded, name no existing
    // file (folders count as missing).
    int CountNonExistent() const;
    // Deletes those entries and writes the file. Throws FileError, leaving the
    // list as it was, when the file cannot be written.
    void DeleteNonExistent();

private:
    void WriteItems(const std::string& file, const std::vector<std::string>& items) const;

    std::string curHistFile_;
    std::vector<std::string> items_;
    bool curFileUnreadable_ = false;  // exists but could not be read: never overwritten
};

}  // namespace spurwerk
