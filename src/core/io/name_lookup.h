#pragma once
// Names the recorder's layout gives (PRJDATA.ZDT, EFXDATA.ZDT, AUDIO, the WAV
// names assigned in a project) match in any letter case, also where the file
// system tells case apart: a card may be mounted with lower-case names.

#include <map>
#include <optional>
#include <set>
#include <string>

namespace spurwerk {

// The entry of `folder` called `name` in any letter case: the exact spelling
// when it exists, otherwise the first of the other spellings in name order;
// nullopt when there is none or the folder cannot be read.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, const std::string& name);

// `folder` + the existing spelling of `name`, or + `name` itself when there is
// none. `folder` ends with a separator (or is empty for the current folder).
std::string PathIgnoringCase(const std::string& folder, const std::string& name);

// A folder listed once, for looking up many names in it (a copy of thousands
// of WAV files would otherwise list the folder once per file). Answers as
// FindNameIgnoringCase does for the entries listed and those added since.
class FolderNames {
public:
    explicit FolderNames(const std::string& folder);
    std::optional<std::string> Find(const std::string& name) const;
    // `folder` + the existing spelling of `name`, or + `name` itself.
    std::string PathOf(const std::string& name) const;
    // An entry this program created after the listing.
    void Add(const std::string& name);

private:
    std::string folder_;
    std::set<std::string> exact_;
    std::map<std::string, std::string> byUpperCase_;  // the first spelling in name order
};

}  // namespace spurwerk
