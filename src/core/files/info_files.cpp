#include "files/info_files.h"

#include <filesystem>

#include "io/directory_walk.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "files/project_list.h"
#include "project/document_ops.h"
#include "project/project_name.h"
#include "settings/side_files.h"
#include "settings/text_table.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

bool IsSafeInfoFileProjectName(const std::string& projectName) {
    if (projectName.find("..") != std::string::npos) return false;
    for (unsigned char c : projectName) {
        if (c < 32 || c == 127) return false;
        if (std::string("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    }
    return true;
}

bool CreateInfoFile(const std::string& projectFile, const std::string& projectName, const InfoFileLabel& label) {
    // Only a project file has an info file: never a backup, a temporary file
    // or an info file, whose names would grow with every run.
    if (!IsProjectFileName(UpperAscii(ExtractFileName(projectFile)))) return false;
    std::string infoFile = InfoFileNameFor(projectFile, projectName);
    if (label) label(infoFile);
    if (!IsSafeInfoFileProjectName(projectName)) return false;
    std::error_code ec;
    fs::path path = PathFromText(infoFile);
    if (fs::exists(fs::symlink_status(path, ec))) return false;
    try {
        WriteFileAtomically(path, infoFile + "\r\n");
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::string ProjectFileOfInfoFile(const std::string& infoFile) {
    if (infoFile.find("_NAME.TXT") == std::string::npos) return "";
    // Only the file name counts: a folder may have "___" in its name.
    std::size_t nameStart = infoFile.size();
    while (nameStart > 0 && !IsPathSeparator(infoFile[nameStart - 1])) --nameStart;
    std::size_t marker = infoFile.find("___", nameStart);
    if (marker == std::string::npos) return "";
    return infoFile.substr(0, marker) + ".ZDT";
}

namespace {

class InfoFileWalk : public DirectoryVisitor {
public:
    InfoFileWalk(ProjectList& list, Dialogs& dialogs) : list_(list), dialogs_(dialogs) {}

    void EnterDirectory(const std::string& dir) override {
        list_.SetMessage(std::to_string(counts.found) + " " + Txt(194) + "  " + dir + " ... ");
        if (dialogs_.AskAbortOnClick(counts.found)) throw SilentAbort();
    }

    InfoFileRunCounts counts;

protected:
    ProjectList& list_;
    Dialogs& dialogs_;
};

class UpdateWalk : public InfoFileWalk {
public:
    UpdateWalk(ZDTDocument& doc, ProjectList& list, Dialogs& dialogs, const InfoFileLabel& label)
        : InfoFileWalk(list, dialogs), doc_(doc), label_(label) {}

    void VisitFile(const std::string& dir, const std::string& name) override {
        if (!IsProjectFileName(UpperAscii(name))) return;
        ++counts.found;
        std::string file = dir + name;
        std::string projectName = GetZDTProjectName(doc_, file, false, nullptr).name;
        if (CreateInfoFile(file, projectName, label_)) ++counts.changed;
    }

private:
    ZDTDocument& doc_;
    const InfoFileLabel& label_;
};

class DeleteWalk : public InfoFileWalk {
public:
    DeleteWalk(bool deleteAll, ZDTDocument& doc, ProjectList& list, Dialogs& dialogs, const InfoFileLabel& label)
        : InfoFileWalk(list, dialogs), deleteAll_(deleteAll), doc_(doc), label_(label) {}

    void VisitFile(const std::string& dir, const std::string& name) override {
        std::string upper = UpperAscii(name);
        if (!ContainsText(upper, "PRJ") || !ContainsText(upper, "_NAME.TXT")) return;
        ++counts.found;
        std::string file = dir + name;
        if (label_) label_(file);
        if (!deleteAll_ && IsAssigned(file)) return;
        std::error_code ec;
        if (fs::remove(PathFromText(file), ec)) ++counts.changed;
    }

private:
    // Whether the info file carries the current name of an existing project.
    bool IsAssigned(const std::string& file) {
        std::string project = ProjectFileOfInfoFile(file);
        if (project.empty()) return false;
        project = PathIgnoringCase(ExtractFilePath(project), ExtractFileName(project));
        if (!IsRegularFile(PathFromText(project))) return false;
        std::string projectName = GetZDTProjectName(doc_, project, false, nullptr).name;
        // Compared without regard to case, as the file names were selected.
        return UpperAscii(file) == UpperAscii(InfoFileNameFor(project, projectName));
    }

    bool deleteAll_;
    ZDTDocument& doc_;
    const InfoFileLabel& label_;
};

// Walks the folder and words the result with the three texts from firstText on:
// "<changed> ... <found> ... <root> ...", then the entries that failed.
template <typename Walk>
std::string RunWalk(const std::string& root, Walk& walk, int firstText, InfoFileRunCounts* counts) {
    WalkDirectory(root, walk);
    std::string message = std::to_string(walk.counts.changed) + " " + Txt(firstText) + " " +
                          std::to_string(walk.counts.found) + " " + Txt(firstText + 1) + root + Txt(firstText + 2);
    walk.counts.entryErrors = walk.entryErrors;
    if (!walk.entryErrors.empty()) message += "\r\n\r\n" + EntryErrorsText(walk.entryErrors);
    if (counts) *counts = walk.counts;
    return message;
}

}  // namespace

std::string UpdateInfoFiles(const std::string& root, ZDTDocument& doc, ProjectList& list, Dialogs& dialogs,
                            const InfoFileLabel& label, InfoFileRunCounts* counts) {
    UpdateWalk walk(doc, list, dialogs, label);
    return RunWalk(root, walk, 199, counts);
}

std::string DeleteInfoFiles(const std::string& root, bool deleteAll, ZDTDocument& doc, ProjectList& list,
                            Dialogs& dialogs, const InfoFileLabel& label, InfoFileRunCounts* counts) {
    DeleteWalk walk(deleteAll, doc, list, dialogs, label);
    return RunWalk(root, walk, 202, counts);
}

}  // namespace spurwerk
