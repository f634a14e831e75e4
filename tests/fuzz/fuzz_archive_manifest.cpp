// An archive's manifest from anywhere: refused with a FileError or read; what
// is read writes out again and reads back to the same text.

#include <string>

#include "archive/archive_manifest.h"
#include "fuzz_support.h"
#include "ui/errors.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ArchiveManifest manifest;
    try {
        manifest = ManifestFromJson(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const FileError&) {
        return 0;
    }
    const std::string written = ManifestToJson(manifest);
    if (ManifestToJson(ManifestFromJson(written)) != written) __builtin_trap();
    return 0;
}
