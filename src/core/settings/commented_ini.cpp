#include "settings/commented_ini.h"

#include <array>
#include <limits>

#include "io/path_text.h"
#include "text/text_encoding.h"
#include "settings/value_conversion.h"
#include "text/number_text.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

constexpr std::array<const char*, 3> TypeNames = {"STRING", "BOOL", "INTEGER"};

std::string TaggedComment(const std::string& comment, IniValueType type) {
    if (CommentNamedType(comment) == type) return comment;
    std::string tag = std::string("(") + TypeNames[static_cast<std::size_t>(type)] + ")";
    return comment.empty() ? tag : tag + " // " + comment;
}

}  // namespace

int CommentNamedType(const std::string& comment) {
    if (comment.empty()) return IniTypeString;
    const std::string upper = UpperAscii(comment);
    int found = -1;
    std::size_t earliest = std::string::npos;
    for (std::size_t t = 0; t < TypeNames.size(); ++t) {
        std::size_t at = upper.find(TypeNames[t]);
        if (at < earliest) {
            earliest = at;
            found = static_cast<int>(t);
        }
    }
    return found;
}

std::string CommentedLineValue(const std::string& key, const std::string& valueText, const std::string& comment,
                               int commentColumn) {
    if (comment.empty()) return valueText;
    std::size_t filler = 0;
    if (commentColumn > 1) {
        const std::size_t column = static_cast<std::size_t>(commentColumn);
        const std::size_t length = Utf8Length(key) + Utf8Length(valueText) + 1;
        filler = column - 1 - length % column;
    }
    return valueText + std::string(filler, ' ') + " // " + comment;
}

void SplitCommentedValue(const std::string& text, std::string& value, std::string& comment) {
    std::size_t at = text.find("//");
    if (at == std::string::npos) {
        value = text;
        comment.clear();
        return;
    }
    value = text.substr(0, at);
    value.erase(value.find_last_not_of(" \t") + 1);
    comment = TrimWhitespace(text.substr(at + 2));
}

void CommentedIni::IniOpen(const std::string& fileName, bool doSave, const std::string& key, bool createFile) {
    currentFile_ = fileName;
    currentKey_ = key.empty() ? fileName : key;
    doSave_ = doSave;
    CurrentStoreFile();
    storeBeforeSave_ = doSave ? store_ : std::vector<StoredFile>{};
    file_.reset();
    if (createFile) file_.emplace(PathFromText(fileName));
}

void CommentedIni::IniClose() {
    if (!file_) return;
    try {
        if (doSave_) file_->Flush();
    } catch (...) {
        store_ = storeBeforeSave_;
        file_.reset();
        throw;
    }
    file_.reset();
}

CommentedIni::StoredFile& CommentedIni::CurrentStoreFile() {
    for (StoredFile& f : store_)
        if (f.key == currentKey_) return f;
    store_.push_back(StoredFile{currentKey_, {}, {}});
    return store_.back();
}

const CommentedIni::StoredValue* CommentedIni::Stored(const std::string& fileKey, const std::string& section,
                                                      const std::string& ident) const {
    for (const StoredFile& f : store_) {
        if (f.key != fileKey) continue;
        for (const StoredValue& v : f.values)
            if (EqualsIgnoreCase(v.section, section) && EqualsIgnoreCase(v.key, ident)) return &v;
    }
    return nullptr;
}

void CommentedIni::Remember(const std::string& section, const std::string& ident, const std::string& valueText,
                            const std::string& comment, const std::string& extra) {
    StoredFile& f = CurrentStoreFile();
    bool knownSection = false;
    for (const std::string& s : f.sections) knownSection = knownSection || EqualsIgnoreCase(s, section);
    if (!knownSection) f.sections.push_back(section);
    StoredValue* slot = nullptr;
    for (StoredValue& v : f.values)
        if (EqualsIgnoreCase(v.section, section) && EqualsIgnoreCase(v.key, ident)) slot = &v;
    if (!slot) {
        f.values.push_back(StoredValue{section, ident, "", "", IniTypeString, ""});
        slot = &f.values.back();
    }
    slot->valueText = valueText;
    slot->comment = comment;
    slot->type = CommentNamedType(comment);
    slot->extra = extra;
}

std::optional<std::string> CommentedIni::Process(const std::string& section, const std::string& ident,
                                                 const std::string& valueText, IniValueType type,
                                                 const std::string& extra, const std::string& comment) {
    if (doSave_) {
        const StoredValue* stored = Stored(currentKey_, section, ident);
        std::string written = stored && !stored->comment.empty() ? stored->comment : comment;
        if (AddTypeTags) written = TaggedComment(written, type);
        if (file_) file_->WriteString(section, ident, CommentedLineValue(ident, valueText, written, CommentColumn));
        Remember(section, ident, valueText, written, extra);
        return std::nullopt;
    }
    std::string raw = file_ ? file_->ReadString(section, ident, valueText) : valueText;
    std::string value, readComment;
    SplitCommentedValue(raw, value, readComment);
    if (readComment.empty()) readComment = comment;
    Remember(section, ident, value, readComment, extra);
    return value;
}

std::string CommentedIni::IniString(const std::string& section, const std::string& ident, const std::string& value,
                                    const std::string& extra, const std::string& comment) {
    auto read = Process(section, ident, value, IniTypeString, extra, comment);
    return read ? *read : value;
}

bool CommentedIni::IniBool(const std::string& section, const std::string& ident, bool value,
                           const std::string& extra, const std::string& comment) {
    auto read = Process(section, ident, BoolToStrVal(value), IniTypeBool, extra, comment);
    return read ? StrToBoolVal(TrimWhitespace(*read)) : value;
}

int CommentedIni::IniInteger(const std::string& section, const std::string& ident, int value,
                             const std::string& extra, const std::string& comment) {
    auto read = Process(section, ident, std::to_string(value), IniTypeInteger, extra, comment);
    if (!read) return value;
    auto parsed = ParseIntegerText(*read);
    if (!parsed || *parsed < std::numeric_limits<int>::min() || *parsed > std::numeric_limits<int>::max())
        return value;
    return static_cast<int>(*parsed);
}

}  // namespace spurwerk
