#pragma once
// One open project: the document and the files it is read from and written to.
// The window and every command load and save through a session: it reads a
// file into the document and tells its host once, and it writes the bytes
// back atomically while holding the file's lock, so that another program's
// read-change-write waits. The questions around these steps (save first?
// changed on disk?) are asked by document_ops.

#include <chrono>
#include <functional>
#include <string>

#include "io/file_lock.h"
#include "io/file_stamp.h"
#include "project/zdt_document.h"

namespace spurwerk {

// What the windows do around loading and saving.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // After the bytes are in: show the mixer, fill its controls, repaint the hex
    // view, set captions and labels. `effectsFile` is the effects file's path.
    virtual void DocumentLoaded(const std::string& projectName, const std::string& effectsFile) {
        (void)projectName;
        (void)effectsFile;
    }
    // Before the bytes are written: clean the WAV names and write every control
    // into the document.
    virtual void PrepareSave() {}
};

// A project-name info file (…\PRJDATA___SONG_NAME.TXT) stands for its project
// file (…\PRJDATA.ZDT); any other name is returned unchanged.
std::string ResolveInfoFileName(const std::string& fileName);
// The effects file that belongs to a project file: its folder, then the part of
// its file name after the 11th character, then "EFXDATA.ZDT".
std::string EffectsFileNameFor(const std::string& projectFile);

struct LoadOptions {
    // Reading back the bytes just saved (a project save reloads its file) keeps
    // the undo history.
    bool keepHistoryIfSame = false;
    // Refuses a file by throwing before anything changes (the command line's
    // "no project" errors).
    std::function<void(const std::string& file, const Bytes& data)> check;
};

class ProjectSession {
public:
    ZDTDocument doc;

    std::string LoadedZDTFileName;
    std::string ZDTFileToLoad;
    std::string LastSavedZDTFileName;
    std::string CompareZDTFileName;
    // The loaded file as it was read or last written, to notice another
    // program's change before a save writes over it.
    FileStamp LoadedFileStamp;
    // A change on disk the user chose to leave for now: activating the window
    // does not ask about it again (a save still does).
    FileStamp DeclinedFileStamp;

    // How long a save waits for another program's lock on its file.
    std::chrono::milliseconds lockTimeout = std::chrono::seconds(60);

    bool IsLoadingZDT() const { return loading_; }
    bool IsSavingZDT() const { return saving_; }

    // The one that fills its controls from a load and writes them back before
    // a save; none: the document is all there is.
    void SetHost(DocumentHost* host) { host_ = host; }
    DocumentHost& Host();

    // Reads the file (a project-name info file stands for its project) into
    // the document as the loaded file, its comparison bytes too unless a
    // comparison file was chosen, and tells the host once. Throws when the
    // file cannot be read or is refused; the session is then as it was.
    void Load(const std::string& file, const LoadOptions& options = {});
    // Holds the lock of the file (resolved as by Load) until the session ends,
    // for a read-change-write: taken before the read, released after the save.
    void HoldLock(const std::string& file);

    // The loaded file as it is on disk now.
    FileStamp StampOnDisk() const;

    // Writes the document to `file` atomically while holding the file's lock;
    // with `prepare` the host writes its controls into the document first.
    // The names and marks stay as they are (a project save reloads afterwards).
    void WriteProjectFile(const std::string& file, bool prepare);
    // Saves the loaded project under `file`: written as above, it becomes the
    // loaded file, with its stamp, and the bytes count as saved.
    void Save(const std::string& file);

private:
    DocumentHost* host_ = nullptr;
    FileLock heldLock_;
    bool loading_ = false;
    bool saving_ = false;
};

}  // namespace spurwerk
