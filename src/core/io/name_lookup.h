#pragma once
// Names the recorder's layout gives (PRJDATA.ZDT, EFXDATA.ZDT, AUDIO, the WAV
// names assigned in a project) match in any letter case, also where the file
// system tells case apart: a card may be mounted with lower-case names.

#include <optional>
#include <string>

namespace spurwerk {

// The entry of `folder` called `name` in any letter case: the exact spelling
// when it exists, otherwise the first of the other spellings in name order;
// nullopt when there is none or the folder cannot be read.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, const std::string& name);

// `folder` + the existing spelling of `name`, or + `name` itself when there is
// none. `folder` ends with a separator (or is empty for the current folder).
std::string PathIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace spurwerk
