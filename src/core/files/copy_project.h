#pragma once
// Copying a project folder's files to another folder, or writing the document
// there as a new project under a new name; and the copy command around it.

#include <string>

#include "files/project_files_context.h"

namespace spurwerk {

// `sourceDir` and `targetDir` end with a separator. With `copyFiles` the source
// project's files are copied; without, the document is written as the target's
// PRJDATA.ZDT with `projectName`. Existing WAV files are never replaced.
// Returns false when the user answered No to "Weiter?".
bool CopyProject(ProjectFilesContext& context, const std::string& sourceDir, const std::string& targetDir,
                 const std::string& projectName, int messageTimeMs, bool copyFiles);

// Whether two folder texts name the same folder, also when spelled differently.
bool IsSameFolder(const std::string& a, const std::string& b);

// ButtonCopyAProjectFromToClick and the mixer's PMCopyAProjectFromTo: asks for
// the source folder and the target folder unless they are given. Returns true
// when the project was copied.
bool CopyProjectCommand(ProjectFilesContext& context, std::string sourceDir = "", std::string targetDir = "");

}  // namespace spurwerk
