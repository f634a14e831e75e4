#pragma once
// "In Unterverzeichnissen:  Play-Marke am Ende aller Projekte setzen": the end
// mark set in every project below a folder, each changed project quick-saved.

#include <string>
#include <vector>

#include "project/document_ops.h"

namespace spurwerk {

class ProjectList;

struct EndMarkBatchCounts {
    int found = 0;
    int changed = 0;
    std::vector<std::string> entryErrors;  // projects passed over on an error
};

// `baseDirSearch` is the search root shared with the directory search; it
// becomes the chosen folder. With `chosenRoot` given the folder dialog is not
// shown (the confirmation still is). Returns the result message, empty when
// the batch did not run. A click offers to abort (SilentAbort).
std::string SetEndMarksInSubDirs(DocumentContext& context, std::string& baseDirSearch, ProjectList& list,
                                 const std::string& chosenRoot = "", EndMarkBatchCounts* counts = nullptr);

}  // namespace spurwerk
