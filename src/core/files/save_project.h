#pragma once
// Saving the document as a complete project: the project file, its AUDIO
// folder, the effects file and the missing WAV files from templates.

#include <string>

#include "files/project_files_context.h"

namespace spurwerk {

// ButtonSaveProjectClick passes an empty file name, askOverwrite true, no
// project name and 3000 ms; the series passes its target and name and 500 ms.
// Returns true when the project was saved (and is now the loaded document).
// Cancel in a question throws SilentAbort; a file that cannot be written
// throws FileError. With keepUnchanged (Ctrl held at the command) an existing
// project file is left untouched when the document has no changes.
bool SaveProject(ProjectFilesContext& context, const std::string& fileName, bool askOverwrite,
                 const std::string& projectName, int messageTimeMs, bool keepUnchanged = false);

}  // namespace spurwerk
