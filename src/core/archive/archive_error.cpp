#include "archive/archive_error.h"

#include <cstddef>
#include <iterator>
#include <utility>

#include "settings/cli_texts.h"

namespace spurwerk {

namespace {

// In the order of ArchiveFault.
constexpr CliText FaultTexts[] = {
    CliText::ArchiveBadHex,
    CliText::ArchiveNotSpurwerk,
    CliText::ArchiveNewer,
    CliText::ArchiveUnknownStorage,
    CliText::ArchivePartsDiffer,
    CliText::ArchivePathOutsideProject,
    CliText::ArchiveManifestDamaged,
    CliText::ArchiveFolderOutsideTarget,
    CliText::ArchiveBadProjectFile,
    CliText::ArchiveOutOfMemory,
    CliText::ArchiveFlacEncoder,
    CliText::ArchiveFlacDamaged,
    CliText::ArchiveFlacDamagedWhy,
    CliText::ArchiveFlacMd5,
    CliText::ArchiveFlacFormat,
    CliText::ArchiveChanged,
    CliText::ArchiveNotAnArchive,
    CliText::ArchiveManifestTooLarge,
    CliText::ArchiveManifestCut,
    CliText::ArchiveNamedTwice,
    CliText::ArchiveEndsBefore,
    CliText::ArchiveEntryMisplaced,
    CliText::ArchiveSizeDiffers,
    CliText::ArchiveFlacBytes,
    CliText::ArchiveChecksum,
    CliText::ArchiveUnnamedEntry,
    CliText::ArchiveLevelRange,
    CliText::ArchiveNoProjectFile,
    CliText::ArchiveIntoProject,
    CliText::ArchiveNoFreeNumber,
    CliText::ArchiveNumberRange,
    CliText::ArchiveReadsBack,
    CliText::ArchiveNoTrackFile,
    CliText::ArchiveNoSuchFile,
    CliText::ArchiveStoredRaw,
    CliText::ArchiveCannotWrite,
    CliText::ArchiveContainerDamaged,
    CliText::ArchivePathOutside,
    CliText::ArchiveHoldsLink,
    CliText::ArchiveHoldsNoFile,
};
static_assert(std::size(FaultTexts) == static_cast<std::size_t>(ArchiveFault::Count));

}  // namespace

std::string ArchiveFaultText(ArchiveFault fault, const std::vector<std::string>& values) {
    return CliTxt(FaultTexts[static_cast<std::size_t>(fault)], values);
}

ArchiveError::ArchiveError(ArchiveFault fault, std::vector<std::string> values)
    : FileError(ArchiveFaultText(fault, values)), fault_(fault), values_(std::move(values)) {}

}  // namespace spurwerk
