#pragma once
// Typed INI values with a comment on the same line:
//     Key=value<blanks up to the comment column> // comment
// One call sequence serves both directions: in load mode each call returns the
// value found (or the one passed in as default), in save mode it writes the
// value passed in. Comments read from a file are kept in a store for the whole
// run, so a comment the user edited survives the next save.

#include <optional>
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace spurwerk {

enum IniValueType : int {
    IniTypeString = 0,
    IniTypeBool = 1,
    IniTypeInteger = 2,
};

// The type a comment names: the type name found earliest in it (in capitals);
// type 0 for an empty comment; -1 when it names none.
int CommentNamedType(const std::string& comment);

// The text after "Key=": value, filler and " // comment" (filler and comment
// only with a comment).
std::string CommentedLineValue(const std::string& key, const std::string& valueText,
                               const std::string& comment, int commentColumn);

// Splits a read value at the first "//" into value (trailing blanks removed)
// and comment (trimmed). Without "//" the comment is empty.
void SplitCommentedValue(const std::string& text, std::string& value, std::string& comment);

class CommentedIni {
public:
    struct StoredValue {
        std::string section;
        std::string key;
        std::string valueText;
        std::string comment;
        int type = IniTypeString;
        std::string extra;
    };

    bool AddTypeTags = false;
    int CommentColumn = 40;

    // Makes `fileName` the current file in the given mode; `key` names it in
    // the comment store (empty: the file name). With `createFile` the INI file
    // is opened for the following calls; IniClose() ends its use.
    void IniOpen(const std::string& fileName, bool doSave, const std::string& key = "", bool createFile = true);
    // Writes what save mode changed. Throws FileError; the comment store is then
    // as it was before IniOpen, and the file on disk untouched.
    void IniClose();
    bool DoSave() const { return doSave_; }
    // The open file, or nullptr.
    IniFile* File() { return file_ ? &*file_ : nullptr; }

    std::string IniString(const std::string& section, const std::string& ident, const std::string& value,
                          const std::string& extra, const std::string& comment);
    bool IniBool(const std::string& section, const std::string& ident, bool value, const std::string& extra,
                 const std::string& comment);
    int IniInteger(const std::string& section, const std::string& ident, int value, const std::string& extra,
                   const std::string& comment);

    // What the store holds for a value, or nullptr.
    const StoredValue* Stored(const std::string& fileKey, const std::string& section, const std::string& ident) const;

private:
    struct StoredFile {
        std::string key;
        std::vector<std::string> sections;  // in the order first met
        std::vector<StoredValue> values;
    };

    // Save mode: writes and returns nullopt. Load mode: returns the value part read.
    std::optional<std::string> Process(const std::string& section, const std::string& ident,
                                       const std::string& valueText, IniValueType type, const std::string& extra,
                                       const std::string& comment);
    StoredFile& CurrentStoreFile();
    void Remember(const std::string& section, const std::string& ident, const std::string& valueText,
                  const std::string& comment, const std::string& extra);

    std::vector<StoredFile> store_;
    std::vector<StoredFile> storeBeforeSave_;
    std::string currentFile_;
    std::string currentKey_;
    bool doSave_ = false;
    std::optional<IniFile> file_;
};

}  // namespace spurwerk
