#include "settings/input_history.h"

#include <filesystem>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/environment_text.h"
#include "io/text_file.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadItems(const std::string& file) { return SplitTextLines(ReadTextFile(PathFromText(file))); }

bool NamesExistingFile(const std::string& entry) {
    std::string expanded = ExpandEnvStr(entry);
    return !expanded.empty() && IsRegularFile(PathFromText(expanded));
}

}  // namespace

std::string NonExistentEntriesText(int count) {
    const std::string& words = count == 1 && !UiTxt(UiText::HistMissingEntry).empty() ? UiTxt(UiText::HistMissingEntry)
                                                                                       : UiTxt(UiText::HistMissingEntries);
    return std::to_string(count) + " " + words;
}

void InputHistory::OpenHistory(const std::string& histFile) {
    std::string name = ExpandEnvStr(histFile);
    if (!name.empty() && !HasDirectoryPart(name)) {
        std::error_code ec;
        fs::path current = fs::current_path(ec);
        if (!ec) name = AddTrailingBackslash(PathText(current)) + name;
    }
    if (name == curHistFile_) return;
    curHistFile_ = name;
    items_.clear();
    curFileUnreadable_ = false;
    if (name.empty() || !PathExists(name)) return;
    try {
        items_ = ReadItems(name);
    } catch (const std::exception&) {
        curFileUnreadable_ = true;
    }
}

void InputHistory::WriteItems(const std::string& file, const std::vector<std::string>& items) const {
    if (file == curHistFile_ && curFileUnreadable_)
        throw FileError::For(FileStep::Write, PathFromText(file), FileFault::OldFileUnreadable);
    WriteTextFile(PathFromText(file), JoinTextLines(items));
}

void InputHistory::AddToHistory(const std::string& rawValue, const std::string& histFile) {
    const std::string value = OneLine(rawValue, false);
    const std::string file = ExpandEnvStr(histFile);
    if (!file.empty() && file != curHistFile_) {
        if (!PathExists(file)) {
            WriteTextFile(PathFromText(file), JoinTextLines({value}));
            curHistFile_ = file;
            items_ = {value};
            curFileUnreadable_ = false;
            return;
        }
        items_ = ReadItems(file);  // throws before anything changed
        curHistFile_ = file;
        curFileUnreadable_ = false;
    }
    if (curHistFile_.empty()) return;
    if (!items_.empty() && items_.front() == value) return;

    std::vector<std::string> updated = items_;
    bool changed = updated.empty() || !EqualsIgnoreCase(updated.front(), value);
    for (std::size_t i = updated.size(); i-- > 1;) {
        if (EqualsIgnoreCase(updated[i], value)) {
            updated.erase(updated.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
        }
    }
    if (!changed) return;
    if (updated.empty() || !EqualsIgnoreCase(updated.front(), value)) updated.insert(updated.begin(), value);
    WriteItems(curHistFile_, updated);
    items_ = std::move(updated);
}

void InputHistory::AddToCurrentHistory(const std::string& value) {
    if (!curHistFile_.empty()) AddToHistory(value, "");
}

int InputHistory::CountNonExistent() const {
    int count = 0;
    for (const std::string& entry : items_)
        if (!NamesExistingFile(entry)) ++count;
    return count;
}

void InputHistory::DeleteNonExistent() {
    std::vector<std::string> kept;
    for (const std::string& entry : items_)
        if (NamesExistingFile(entry)) kept.push_back(entry);
    if (kept.size() == items_.size() || curHistFile_.empty()) return;
    WriteItems(curHistFile_, kept);
    items_ = std::move(kept);
}

}  // namespace spurwerk
