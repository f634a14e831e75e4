#pragma once
// Whether a loaded file looks like a project file at all. Any file can be
// loaded and edited as bytes; a file that is no project is said to be one
// plainly, so nobody edits a WAV file thinking it is a mix.

#include <string>

#include "text/bytes.h"

namespace spurwerk {

// False for a file shorter than a project, a RIFF/RF64 (WAV) file, or one
// whose mixer slider fields are mostly out of their ranges.
bool LooksLikeProject(const Bytes& document);
// The warning to show for the document; empty when it looks like a project
// or nothing is loaded.
std::string NotAProjectWarning(const Bytes& document);

}  // namespace spurwerk
