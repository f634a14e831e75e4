#pragma once
// Projects as archives: one tar file per project folder, the project and
// effects files as they are, each WAV as FLAC plus the bytes outside its
// samples, and a manifest with a SHA-256 of every original file. Archiving
// verifies before it reports success; restoring checks every byte written
// against the manifest before the folder gets its name. Nothing half-made is
// ever left: archives and restored folders are built under temporary names.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_manifest.h"

namespace spurwerk {

class Dialogs;

// Progress of a long run; returning false cancels it (SilentAbort).
using ArchiveProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct ArchiveOptions {
    int flacLevel = DefaultFlacLevel;
    std::string model = "R16";
    bool removeAfter = false;  // delete the project folder once the archive is verified
    std::string date;          // YYYY-MM-DD for the archive's name; empty: today
};

struct ArchiveResult {
    std::filesystem::path archive;  // empty when the user declined to overwrite
    ArchiveManifest manifest;
    std::uint64_t originalBytes = 0, archiveBytes = 0;
    bool removed = false;
    std::vector<std::string> skipped;  // entries of the folder not archived, with why
};

// The folder of a project: `path` is a project folder or its project file.
// nullopt when it holds no project file.
std::optional<std::filesystem::path> ProjectFolderOf(const std::filesystem::path& path);
// Every project folder at or below `root` (a whole card), in walk order.
std::vector<std::filesystem::path> ProjectFoldersBelow(const std::filesystem::path& root,
                                                       std::vector<std::string>* entryErrors = nullptr);

// "PROJ001_SONG1_2026-12-06.tar": folder, project name (characters a file
// name cannot hold become "_") and date.
std::string ArchiveFileName(const std::string& folder, const std::string& projectName, const std::string& date);

// Archives the project folder into `targetFolder`. An existing archive of the
// same name is replaced only after a Yes (No: nothing done, Cancel: SilentAbort).
// The card is only read; with removeAfter the folder goes once the archive is verified.
ArchiveResult ArchiveProject(const std::filesystem::path& projectFolder, const std::filesystem::path& targetFolder,
                             const ArchiveOptions& options, Dialogs& dialogs, const ArchiveProgress& progress = {});

// Only the manifest (reads the container's first entry).
ArchiveManifest ReadArchiveManifest(const std::filesystem::path& archive);

// Decodes everything and compares sizes and checksums with the manifest;
// throws FileError naming the first difference.
ArchiveManifest VerifyArchive(const std::filesystem::path& archive, const ArchiveProgress& progress = {});

struct RestoreOptions {
    std::optional<int> number;  // PROJnnn to restore into; empty: the lowest free number
    bool infoFile = false;      // write a project-name info file even if the project had none
};

struct RestoreResult {
    std::filesystem::path folder;  // empty when the user declined to overwrite
    ArchiveManifest manifest;
};

// The lowest PROJnnn number not taken below `cardRoot` (names in any case);
// throws FileError when all 999 are taken.
int NextFreeProjectNumber(const std::filesystem::path& cardRoot);
// "PROJ005", or "proj005" on a card whose project folders are all lower case.
std::string ProjectFolderName(const std::filesystem::path& cardRoot, int number);

// Restores into cardRoot/PROJnnn. An existing folder is replaced only after a
// Yes to the overwrite question (No: nothing done, Cancel: SilentAbort).
RestoreResult RestoreArchive(const std::filesystem::path& archive, const std::filesystem::path& cardRoot,
                             const RestoreOptions& options, Dialogs& dialogs, const ArchiveProgress& progress = {});

// Writes one file of the archive into `targetFolder` under its own name: a
// track number ("3", "master") or a file path of the manifest. With asFlac a
// FLAC-stored WAV is written as its FLAC stream (NAME.flac). Checked against
// the manifest; returns the file written.
std::filesystem::path ExtractFromArchive(const std::filesystem::path& archive, const std::string& which,
                                         const std::filesystem::path& targetFolder, bool asFlac);

}  // namespace spurwerk
