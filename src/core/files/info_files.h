#pragma once
// Project-name info files: empty markers beside a project file whose file name
// carries the project name, so that the system's file search finds projects
// by name (…\PRJDATA___SONG_NAME.TXT beside …\PRJDATA.ZDT).

#include <functional>
#include <string>
#include <vector>

namespace spurwerk {

class Dialogs;
class ProjectList;
class ZDTDocument;

// LabelInfoFile of the main window: shows the info file worked on.
using InfoFileLabel = std::function<void(const std::string& fileName)>;

// Whether a project name can become part of an info file's name without the
// file landing outside the project's folder or being refused by the system.
bool IsSafeInfoFileProjectName(const std::string& projectName);

// Creates the info file for the project file when it does not exist yet; its
// one line is its own path. Returns true when a file was created; any failure
// (and a name that is not safe) creates nothing and returns false.
bool CreateInfoFile(const std::string& projectFile, const std::string& projectName, const InfoFileLabel& label);

// The project file an info file stands for (its name up to the first "___" +
// ".ZDT"), or empty when the path is no info file's.
std::string ProjectFileOfInfoFile(const std::string& infoFile);

struct InfoFileRunCounts {
    int found = 0;    // project files (update) or info files (deletion) met
    int changed = 0;  // info files created or deleted
    std::vector<std::string> entryErrors;  // entries passed over on an error
};

// Both runs walk `root` (with trailing separator); a click offers to abort
// (SilentAbort). They show progress in the list's message line and return the
// result message, followed by the entries that failed.
std::string UpdateInfoFiles(const std::string& root, ZDTDocument& doc, ProjectList& list, Dialogs& dialogs,
                            const InfoFileLabel& label, InfoFileRunCounts* counts = nullptr);
std::string DeleteInfoFiles(const std::string& root, bool deleteAll, ZDTDocument& doc, ProjectList& list,
                            Dialogs& dialogs, const InfoFileLabel& label, InfoFileRunCounts* counts = nullptr);

}  // namespace spurwerk
