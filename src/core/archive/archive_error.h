#pragma once
// Why an archive could not be made, read or restored, as a fault and its
// values; the message is worded from the loaded language's texts when the
// error is made, so the window and the command line show it in their language.

#include <string>
#include <vector>

#include "ui/errors.h"

namespace spurwerk {

enum class ArchiveFault {
    BadHex,
    NotSpurwerk,
    Newer,  // %1 the version
    UnknownStorage,  // %1 the storage
    PartsDiffer,  // %1 the file
    PathOutsideProject,  // %1 the path
    ManifestDamaged,  // %1 the reader's reason
    FolderOutsideTarget,  // %1 the folder
    BadProjectFile,
    OutOfMemory,  // %1 the library
    FlacEncoder,  // %1 the reason
    FlacDamaged,  // %1 the file
    FlacDamagedWhy,  // %1 the file, %2 the decoder's reason
    FlacMd5,  // %1 the file
    FlacFormat,  // %1 the file
    Changed,  // %1 the file
    NotAnArchive,  // %1 the file, %2 the manifest's name
    ManifestTooLarge,
    ManifestCut,
    NamedTwice,  // %1 the file
    EndsBefore,  // %1 the entry
    EntryMisplaced,  // %1 the entry, %2 the one expected
    SizeDiffers,  // %1 the file
    FlacBytes,  // %1 the file, %2 the bytes decoded, %3 the bytes expected
    Checksum,  // %1 the file
    UnnamedEntry,  // %1 the entry
    LevelRange,  // %1 what was given
    NoProjectFile,  // %1 the folder
    IntoProject,  // %1 the target
    NoFreeNumber,  // %1 the card
    NumberRange,  // %1 what was given
    ReadsBack,  // %1 the file
    NoTrackFile,  // %1 the track
    NoSuchFile,  // %1 the file
    StoredRaw,  // %1 the file, %2 why
    CannotWrite,  // %1 the reason
    ContainerDamaged,  // %1 the archive, %2 the reason
    PathOutside,  // %1 the path
    HoldsLink,  // %1 the entry
    HoldsNoFile,  // %1 the entry
    Count,
};

// The text of a fault with its values in the language loaded.
std::string ArchiveFaultText(ArchiveFault fault, const std::vector<std::string>& values = {});

class ArchiveError : public FileError {
public:
    explicit ArchiveError(ArchiveFault fault, std::vector<std::string> values = {});
    ArchiveFault Fault() const { return fault_; }
    const std::vector<std::string>& Values() const { return values_; }

private:
    ArchiveFault fault_;
    std::vector<std::string> values_;
};

}  // namespace spurwerk
