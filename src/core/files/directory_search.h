#pragma once
// ButtonSearchInSubDirsClick: the search for project and WAV files below a
// folder, and the info-file runs that share its folder question.

#include <string>
#include <vector>

#include "files/info_files.h"

namespace spurwerk {

class Dialogs;
class ProjectList;
class ZDTDocument;
class ProjectSession;

enum class DirectoryRunKind {
    Search,                     // ButtonSearchInSubDirs (and the list window's repeat)
    UpdateInfoFiles,            // ButtonUpdateInfoFilesInSubDirs
    DeleteUnassignedInfoFiles,  // ButtonDeleteUnassignedInfoFilesInSubDirs
    DeleteAllInfoFiles,         // ButtonDeleteAllInfoFilesInSubDirs
};

// Upper case, without surrounding blanks and asterisks.
std::string CleanSearchFilter(const std::string& filter);

struct SearchCounts {
    int examined = 0;  // files met
    int listed = 0;
    std::vector<std::string> entryErrors;  // entries passed over on an error
};

// The search walk over `root` (with trailing separator), filling the list with
// the lines built from list.lineOptions; ends with the message line's total and
// the sort. `filter` is cleaned already. A click offers to abort (SilentAbort).
// On a cold card the files are read ahead on worker threads; `doc` is the
// calling thread's scratch document. Lines, counts, messages and entry errors
// come in the order of the walk as ever.
SearchCounts SearchInSubDirs(const std::string& root, const std::string& filter, bool selectPrjFiles,
                             bool selectWavFiles, ZDTDocument& doc, ProjectList& list, Dialogs& dialogs);

// The state the handler keeps between runs; the option values BaseDirSearch,
// SelectPrjFiles and SelectWavFiles live here while the program runs.
class DirectorySearch {
public:
    std::string baseDirSearch;
    bool selectPrjFiles = true;
    bool selectWavFiles = false;
    std::string filter;                // cleaned
    std::string searchFilterHistory;   // the history file of the filter dialog

    // Runs one of the kinds. `silentRepeat` repeats the last search without the
    // folder and filter dialogs (the list window's check boxes);
    // keepFolderAndFilter (Ctrl held at the command) skips the folder dialog
    // and, once shown, the filter dialog. Returns the result message (empty
    // when nothing ran).
    std::string Run(DirectoryRunKind kind, bool silentRepeat, ProjectSession& session, ProjectList& list, Dialogs& dialogs,
                    const InfoFileLabel& label = {}, bool keepFolderAndFilter = false);

private:
    bool filterDialogShown_ = false;
    bool filterCancelled_ = false;
};

}  // namespace spurwerk
