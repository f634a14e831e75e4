#pragma once
// Why an archive could not be made, read or restored: a text of the loaded
// language and its values, worded when the error is made, so the window and
// the command line show it in their language.

#include <string>
#include <vector>

#include "settings/cli_texts.h"
#include "ui/errors.h"

namespace spurwerk {

class ArchiveError : public FileError {
public:
    explicit ArchiveError(CliText text, const std::vector<std::string>& values = {})
        : FileError(CliTxt(text, values)) {}
};

}  // namespace spurwerk
