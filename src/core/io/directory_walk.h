#pragma once
// The walk every directory run shares: depth-first, entries in the order the
// file system lists them, folders whose names begin with "." never entered.

#include <string>

#include "text/ascii.h"

namespace spurwerk {

class DirectoryVisitor {
public:
    virtual ~DirectoryVisitor() = default;
    // At the start of every folder (progress, abort check); may throw SilentAbort.
    virtual void EnterDirectory(const std::string& dir) { (void)dir; }
    // A file (anything that is no folder) in `dir`; `dir` ends with a separator.
    virtual void VisitFile(const std::string& dir, const std::string& name) = 0;
};

// `dir` ends with a separator. Folders we may not read are passed over; a
// folder that is missing or cannot be listed to its end throws FileError.
// Symbolic links to folders are not followed (they could form a loop).
void WalkDirectory(const std::string& dir, DirectoryVisitor& visitor);

bool ContainsText(const std::string& text, const char* part);

// A file name the walks treat as a project file: "PRJ" and ".ZDT" in it.
bool IsProjectFileName(const std::string& upperName);

}  // namespace spurwerk
