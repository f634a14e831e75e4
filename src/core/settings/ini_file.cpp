#include "settings/ini_file.h"

#include <limits>
#include <system_error>
#include <utility>

#include "text/text_encoding.h"
#include "io/text_file.h"
#include "settings/value_conversion.h"
#include "text/number_text.h"
#include "text/ascii.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

// The section name of a header line, nullopt for other lines.
std::optional<std::string_view> HeaderName(std::string_view line) {
    std::string_view t = TrimmedWhitespace(line);
    if (t.empty() || t[0] != '[') return std::nullopt;
    std::size_t close = t.find(']');
    return TrimmedWhitespace(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// Where the key of a "key=value" line ends: the position of its '='.
std::optional<std::size_t> KeyLineEquals(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || HeaderName(line)) return std::nullopt;
    return eq;
}

// Key and raw value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> KeyLine(const std::string& line) {
    auto eq = KeyLineEquals(line);
    if (!eq) return std::nullopt;
    return std::make_pair(TrimWhitespace(line.substr(0, *eq)), line.substr(*eq + 1));
}

// Blanks at either end and a pair of enclosing quotes would be removed on
// reading; quoting the value keeps it exactly as written.
std::string ProtectValue(const std::string& value) {
    if (value.empty()) return value;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    bool edgeBlank = blank(value.front()) || blank(value.back());
    bool enclosed = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return edgeBlank || enclosed ? "\"" + value + "\"" : value;
}

}  // namespace

IniFile::IniFile(fs::path path) : path_(std::move(path)) {
    std::error_code ec;
    if (!fs::exists(path_, ec)) return;
    try {
        lines_ = SplitTextLines(ReadTextFile(path_));
    } catch (const std::exception& e) {
        readError_ = e.what();
        lines_.clear();
    }
}

IniFile::IniFile(fs::path path, const std::string& text) : path_(std::move(path)), lines_(SplitTextLines(text)) {}

std::optional<IniFile::Range> IniFile::FindSection(const std::string& section) const {
    const std::string wanted = TrimWhitespace(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = HeaderName(lines_[i]);
        if (!name || !EqualsIgnoreCase(*name, wanted)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !HeaderName(lines_[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& range, const std::string& key) const {
    const std::string wanted = TrimWhitespace(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        auto kv = KeyLine(lines_[i]);
        if (kv && EqualsIgnoreCase(kv->first, wanted)) return i;
    }
    return std::nullopt;
}

std::size_t IniFile::NoCaseHash::operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037ull;  // FNV-1a over the upper-case letters
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool IniFile::NoCaseEqual::operator()(std::string_view a, std::string_view b) const { return EqualsIgnoreCase(a, b); }

std::optional<IniFile::ValueAt> IniFile::FindValue(std::string_view section, std::string_view key) const {
    if (!index_) {
        index_.emplace();
        SectionKeys* current = nullptr;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (auto name = HeaderName(lines_[i])) {
                // A repeated section is never found: only its first occurrence counts.
                auto [entry, added] = index_->try_emplace(std::string(*name));
                current = added ? &entry->second : nullptr;
            } else if (current) {
                if (auto eq = KeyLineEquals(lines_[i]))
                    current->valueOfKey.try_emplace(std::string(TrimmedWhitespace(std::string_view(lines_[i]).substr(0, *eq))),
                                                    ValueAt{i, *eq + 1});
            }
        }
    }
    auto entry = index_->find(TrimmedWhitespace(section));
    if (entry == index_->end()) return std::nullopt;
    auto value = entry->second.valueOfKey.find(TrimmedWhitespace(key));
    if (value == entry->second.valueOfKey.end()) return std::nullopt;
    return value->second;
}

bool IniFile::SectionExists(const std::string& section) const { return FindSection(section).has_value(); }

bool IniFile::KeyExists(const std::string& section, const std::string& key) const {
    return FindValue(section, key).has_value();
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    auto at = FindValue(section, key);
    if (!at) return defaultValue;
    std::string_view value = TrimmedWhitespace(std::string_view(lines_[at->line]).substr(at->valueStart));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return Utf8Prefix(value, MaxIniValueLength);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    auto parsed = ParseIntegerText(ReadString(section, key, ""));
    if (!parsed || *parsed < std::numeric_limits<int>::min() || *parsed > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(*parsed);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string cleanSection = TrimWhitespace(OneLine(section, false));
    const std::string cleanKey = TrimWhitespace(OneLine(key, false));
    const std::string written = ProtectValue(OneLine(value, true));
    index_.reset();
    auto range = FindSection(cleanSection);
    if (!range) {
        if (!lines_.empty() && !TrimWhitespace(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + cleanSection + "]");
        lines_.push_back(cleanKey + "=" + written);
        modified_ = true;
        return;
    }
    if (auto index = FindKey(*range, cleanKey)) {
        // Keep the key as the file spells it.
        std::string line = KeyLine(lines_[*index])->first + "=" + written;
        if (line != lines_[*index]) {
            lines_[*index] = std::move(line);
            modified_ = true;
        }
        return;
    }
    // After the section's last key: blank lines and comments that follow it
    // usually introduce the next section.
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (KeyLine(lines_[i])) insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), cleanKey + "=" + written);
    modified_ = true;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::Flush() {
    if (!modified_) return;
    if (readError_)
        throw FileError::For(FileStep::Write, path_, FileFault::OldFileUnreadable, {*readError_});
    WriteTextFile(path_, JoinTextLines(lines_));
    modified_ = false;
}

}  // namespace spurwerk
