#pragma once
// The walk every directory run shares: depth-first, entries in the order the
// file system lists them, folders whose names begin with "." never entered.

#include <string>
#include <vector>

#include "text/ascii.h"

namespace spurwerk {

class DirectoryVisitor {
public:
    virtual ~DirectoryVisitor() = default;
    // At the start of every folder (progress, abort check); may throw SilentAbort.
    virtual void EnterDirectory(const std::string& dir) { (void)dir; }
    // A file in `dir` (a regular file, or a link that leads nowhere); `dir`
    // ends with a separator. A FileError it throws is one failed entry.
    virtual void VisitFile(const std::string& dir, const std::string& name) = 0;
    // An entry the walk passed over, in walk order; kept in entryErrors.
    virtual void ReportEntryError(std::string message) { entryErrors.push_back(std::move(message)); }

    // Entries the walk could not handle (unreadable, vanished, a link to
    // nowhere, a folder nested too deep), each as a message naming it and the
    // reason. The walk went on after each.
    std::vector<std::string> entryErrors;
};

// Folders nested deeper than this below the root are not entered (reported as
// an entry error): no card has them, and the walk's depth stays bounded.
constexpr int MaxWalkDepth = 200;

// `dir` ends with a separator. Folders we may not read are passed over, and so
// are FIFOs, devices and sockets; a folder that is missing or cannot be listed
// to its end throws FileError. Symbolic links to folders are not followed
// (they could form a loop).
void WalkDirectory(const std::string& dir, DirectoryVisitor& visitor);

// The entry errors for a message: one a line, at most `most` of them.
std::string EntryErrorsText(const std::vector<std::string>& errors, std::size_t most = 20);

// What the walk does with an entry, from its type as listed and, for a link
// or an entry the listing left untyped, the type it leads to (Missing when
// it leads nowhere or vanished). Folders are entered only when listed as
// folders, so a link to a folder is never followed; anything that may hold
// a file to read is visited, and the visitor reports it when it cannot.
enum class EntryType { Missing, File, Folder, Link, Other };
enum class WalkAction { Visit, Enter, Skip };
WalkAction ActionFor(EntryType listed, EntryType target);

bool ContainsText(const std::string& text, const char* part);

// A file name the walks treat as a project file: it ends with ".ZDT", holds
// "PRJ" and is not hidden (no leading "."), so backups ("PRJDATA.ZDT.BAK"),
// temporary files of a save and info files are not taken for projects.
bool IsProjectFileName(const std::string& upperName);

}  // namespace spurwerk
