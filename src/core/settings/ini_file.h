#pragma once
// An INI file with the behaviour of the Windows private-profile functions that
// all settings files rely on: section and key names compared without regard to
// case, values trimmed and one pair of surrounding double quotes removed, a key
// written in place (or at the end of its section, or in a new section at the
// end), and every other line of the file kept as it was.
//
// Changes are made in memory and reach the disk with Flush(), in one atomic
// write, so a failed write is reported once and leaves the old file intact.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace spurwerk {

// A value read arrives with at most this many characters, as through the
// platform's 2048-character buffer.
constexpr std::size_t MaxIniValueLength = 2047;

class IniFile {
public:
    // Reads the file when it exists. A file that cannot be read reads as empty
    // (ReadError() tells why) and is never overwritten by Flush().
    explicit IniFile(std::filesystem::path path);
    // The file `path` whose text was read already.
    IniFile(std::filesystem::path path, const std::string& text);

    const std::filesystem::path& Path() const { return path_; }
    const std::optional<std::string>& ReadError() const { return readError_; }

    bool SectionExists(const std::string& section) const;
    bool KeyExists(const std::string& section, const std::string& key) const;

    // The value, or `defaultValue` when the section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "$" or "0x"; the default when the value is
    // no integer or does not fit.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

    bool Modified() const { return modified_; }
    // Writes the file when something changed. Throws FileError; the file on
    // disk is then as it was.
    void Flush();

    // The lines as they would be written.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    struct Range {
        std::size_t header;  // index of the "[...]" line
        std::size_t end;     // one past the section's last line
    };
    std::optional<Range> FindSection(const std::string& section) const;
    std::optional<std::size_t> FindKey(const Range& range, const std::string& key) const;
    // Where a key's value is for reading, through an index of the file's
    // sections and keys (a language file is read a thousand times at each start).
    struct ValueAt {
        std::size_t line;
        std::size_t valueStart;  // just after the '='
    };
    std::optional<ValueAt> FindValue(std::string_view section, std::string_view key) const;

    // Names compared without regard to case, looked up without copies.
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    template <typename Value>
    using NoCaseMap = std::unordered_map<std::string, Value, NoCaseHash, NoCaseEqual>;
    struct SectionKeys {
        NoCaseMap<ValueAt> valueOfKey;  // first occurrence of each key
    };

    std::filesystem::path path_;
    std::vector<std::string> lines_;
    bool modified_ = false;
    std::optional<std::string> readError_;
    // Section name -> its keys; first occurrences only, as the linear search
    // finds them. Built on the first read, dropped on a write.
    mutable std::optional<NoCaseMap<SectionKeys>> index_;
};

}  // namespace spurwerk
