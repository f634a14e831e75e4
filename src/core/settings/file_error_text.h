#pragma once
// File errors worded with the command line's texts, in the language loaded.

#include <string>

#include "ui/errors.h"

namespace spurwerk {

// A FileErrorWording: "<file> kann nicht gelesen werden: <reason>" and the like.
// A system error the texts do not know keeps the system's own message.
std::string FileErrorInLanguage(const FileErrorReport& report);

// The system's message of a common error code in the language loaded.
std::string SystemErrorInLanguage(const std::error_code& code);

}  // namespace spurwerk
