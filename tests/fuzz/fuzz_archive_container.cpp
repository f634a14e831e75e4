// An archive file from anywhere: verifying and restoring it either refuse it
// with a FileError or succeed; a restore never leaves the card it is given.

#include <filesystem>

#include "archive/project_archive.h"
#include "fuzz_support.h"
#include "ui/errors.h"

using namespace spurwerk;
namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentDialogs dialogs;
    const fs::path archive = fuzz::WriteScratch("PROJ001_SONG_2026-01-01.tar", data, size);
    const fs::path scratch = archive.parent_path();
    const fs::path card = scratch / "card";
    std::error_code ec;
    fs::remove_all(card, ec);
    fs::create_directories(card);
    try {
        (void)VerifyArchive(archive);
    } catch (const FileError&) {
    }
    try {
        RestoreOptions options;
        options.number = 1;
        (void)RestoreArchive(archive, card, options, dialogs);
    } catch (const FileError&) {
    } catch (const SilentAbort&) {
    }
    // Nothing beside the archive and the card may appear.
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch))
        if (entry.path() != archive && entry.path() != card) __builtin_trap();
    return 0;
}
