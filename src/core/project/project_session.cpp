#include "project/project_session.h"

#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;
};

}  // namespace

std::string ResolveInfoFileName(const std::string& fileName) {
    std::string upper = UpperAscii(fileName);
    if (upper.find("_NAME.TXT") == std::string::npos) return fileName;
    std::size_t marker = upper.find("___");
    if (marker == std::string::npos) return fileName;
    std::string projectFile = fileName.substr(0, marker) + ".ZDT";
    return PathIgnoringCase(ExtractFilePath(projectFile), ExtractFileName(projectFile));
}

std::string EffectsFileNameFor(const std::string& projectFile) {
    std::string dir = ExtractFilePath(projectFile);
    std::string name = ExtractFileName(projectFile);
    std::string rest = name.size() > 11 ? name.substr(11) : "";
    return PathIgnoringCase(dir, rest + "EFXDATA.ZDT");
}

DocumentHost& ProjectSession::Host() {
    static DocumentHost none;
    return host_ ? *host_ : none;
}

void ProjectSession::Load(const std::string& file, const LoadOptions& options) {
    const std::string name = ResolveInfoFileName(file);
    FlagGuard loading(loading_);
    Bytes data = ReadWholeFile(PathFromText(name));  // throws; the document stays as it was
    if (options.check) options.check(name, data);
    bool sameBytes = options.keepHistoryIfSame && data == doc.ZDTData() && !doc.DataChanged();
    FileStamp stamp = StampOfBytes(data);
    doc.ReplaceZDTData(std::move(data));
    LoadedZDTFileName = name;
    LoadedFileStamp = stamp;
    DeclinedFileStamp = {};
    if (CompareZDTFileName.empty()) doc.ReplaceCompareData(doc.ZDTData());

    Host().DocumentLoaded(ReadProjectName(doc.ZDTData()), EffectsFileNameFor(name));
    if (sameBytes) doc.MarkSaved();
    else doc.MarkLoaded();
}

void ProjectSession::HoldLock(const std::string& file) {
    heldLock_ = FileLock::Acquire(PathFromText(ResolveInfoFileName(file)), lockTimeout);
}

FileStamp ProjectSession::StampOnDisk() const { return StampFile(PathFromText(LoadedZDTFileName)); }

void ProjectSession::WriteProjectFile(const std::string& file, bool prepare) {
    // Another program's read-change-write of this file finishes first; the
    // lock is counted, so a caller that holds it already goes on at once.
    FileLock lock = FileLock::Acquire(PathFromText(file), lockTimeout);
    FlagGuard saving(saving_);
    if (prepare) Host().PrepareSave();
    WriteFileAtomically(PathFromText(file), doc.ZDTData());
}

void ProjectSession::Save(const std::string& file) {
    WriteProjectFile(file, true);
    LoadedFileStamp = StampOfBytes(doc.ZDTData());
    DeclinedFileStamp = {};
    doc.MarkSaved();
    LastSavedZDTFileName = file;
    ZDTFileToLoad = file;
    LoadedZDTFileName = file;
}

}  // namespace spurwerk
