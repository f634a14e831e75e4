#pragma once
// The command line's own texts (results, errors, the table caption). Like the
// window's texts they come from the language files, section "CliTexts"; a key
// a file lacks keeps the German default. "%1", "%2", ... stand for values.
// The language files trim values, so no text ends or starts with a blank.

#include <string>
#include <vector>

namespace spurwerk {

enum class CliText {
    ProjectLabel,       // before the quoted project name of `info`
    TableTrack,         // caption of the table's header row
    Cancelled,
    StdoutClosed,
    CannotWriteOutput,  // %1 the reason
    NotAProject,        // %1 file, %2 its size, %3 the smallest project size
    NotAProjectShort,   // %1 file, %2 its size
    TracksMustDiffer,
    DropRefused,
    StereoSecondTrack,  // %1 the track, %2 the first track of the link
    UnknownGroupList,   // %1 the group, %2 the groups
    UnknownGroup,       // %1 the group
    NotGroupValue,      // %1 what was given
    AllStripDoesNotSet, // %1 the group
    NoRecordingEnd,     // %1 the AUDIO folder
    NothingSaved,
    SameFolder,         // %1 source, %2 target, %3 the window's message
    NoFolder,           // %1 the path
    EntriesFailed,      // %1 the count; the entries follow
    FilesNotMade,       // %1 the count; the files follow
    NeedsAnswer,        // %1 the question
    NeedsOtherAnswer,   // %1 the question
    NeedsInput,         // %1 the prompt
    NeedsFolder,        // %1 the prompt
    NeedsYesOrNo,       // a walk that asks on its way
    UnknownLanguage,    // %1 the value, %2 the languages
    FileCannotRead,  // %1 the file, %2 the reason
    FileCannotOpen,  // %1 the file, %2 the reason
    FileCannotWrite,  // %1 the file, %2 the reason
    FileCannotCopy,  // %1 the file, %2 the reason
    FileCannotCopyTo,  // %1 the file, %2 the target, %3 the reason
    FileCannotReadFolder,  // %1 the folder, %2 the reason
    FileCannotCreateFolder,  // %1 the folder, %2 the reason
    FileCannotLock,  // %1 the file, %2 the reason
    FileCannotRename,  // %1 the file, %2 the reason
    FileCannotSearch,  // %1 the folder, %2 the reason
    FileCannotRemove,  // %1 the file or folder, %2 the reason
    ReasonIsFolder,
    ReasonNotFound,
    ReasonFolderNotFound,
    ReasonReadOnly,
    ReasonTooLarge,  // %1 the size, %2 the limit
    ReasonLocked,
    ReasonOldFileUnreadable,
    ReasonTooDeep,  // %1 the number of levels
    ReasonShrank,
    ReasonNotRegular,
    SystemNoEntry,
    SystemAccess,
    SystemIsFolder,
    SystemNotFolder,
    SystemNoSpace,
    SystemReadOnlyFs,
    SystemExists,
    SystemLinkLoop,
    SystemNameTooLong,
    SystemIo,
    SystemBusy,
    SystemNotEmpty,
    OutputNotWritten,
    InputTooLarge,  // %1 the limit in MiB
    InputTooDeep,  // %1 the levels
    InputNotJson,
    InputKeyTwice,  // %1 the key
    RawNotObject,  // %1 the track, %2 what was given
    RawUnknown,  // %1 the track, %2 the key
    RawWithoutValue,  // %1 the track, %2 the key
    RawNotByte,  // %1 the track, %2 the key, %3 what was given
    TracksNotList,
    TrackNotObject,  // %1 what was given
    TrackNumberRange,  // %1 the track count, %2 what was given
    TrackNeedsNumber,
    UnknownTrackParameter,  // %1 the key, %2 the track
    TrackValueWrong,  // %1 the track, %2 the error
    ExcerptCut,  // %1 the start of a long value, %2 its size
    JsonTakes,  // %1 the key, %2 what it takes, %3 what was given
    JsonTakesStatus,  // %1 the key, %2 what was given
    JsonWavName,
    JsonTrueFalse,
    JsonNumber,
    JsonQuality,
    JsonWholeNumber,
    ValueStatus,  // %1 the parameter
    ValueBox,  // %1 the parameter
    ValueWavName,  // %1 the parameter
    ValuePan,  // %1 the parameter
    ValueGain,  // %1 the parameter, %2 the lowest, %3 the highest
    ValueLevel,  // %1 the parameter, %2 the lowest, %3 the highest
    ValueFrequency,  // %1 the parameter, %2 the frequencies
    ValueQuality,  // %1 the parameter
    ValueFixed,  // %1 the parameter
    SeriesFolderKept,  // %1 the project, %2 the folder, %3 the error
    SeriesNothingKept,  // %1 the project, %2 the folder, %3 the error
    UsageRunHelp,
    UsageUnexpected,  // %1 the argument
    UsageUnexpectedMany,  // %1 the arguments
    UsageRequired,  // %1 the option
    UsageNeedsCommand,
    UsageNotInRange,  // %1 the option, %2 the value, %3 the lowest, %4 the highest
    UsageNotConverted,  // %1 the option, %2 the value
    UsageExcludes,  // %1 the option, %2 the other
    UsageNeeds,  // %1 the option, %2 the other
    UsageValueMissing,  // %1 the option
    UsageNotAllowed,  // %1 the value, %2 the option
    UsageNotMember,  // %1 the option, %2 the value, %3 the values allowed
    UsageAssignments,
    UsageTrackOrAll,
    HelpUsage,
    HelpOptionsMark,  // in the usage line
    HelpOptions,
    HelpPositionals,
    HelpCommandMark,  // in the usage line
    HelpCommands,
    HelpRequired,
    HelpNeeds,
    HelpExcludes,
    HelpFlag,
    VersionFlag,
    HelpExample,
    HelpProgram,
    HelpLang,
    HelpFooter,
    HelpJson,
    HelpHex,
    HelpAnyFile,
    HelpDiff,
    HelpFileShown,
    HelpFileCompared,
    HelpWav,
    HelpListSize,
    HelpWavFiles,
    HelpYes,
    HelpNo,
    HelpR24,
    HelpInfoFiles,
    HelpSaveProject,
    HelpFileToLoad,
    HelpTarget,
    HelpName,
    HelpKeepUnchanged,
    HelpCopy,
    HelpProjectFolder,
    HelpCopyTarget,
    HelpSearch,
    HelpSearchRoot,
    HelpFilter,
    HelpPrj,
    HelpWavList,
    HelpRecordModi,
    HelpWavSize,
    HelpWavDate,
    HelpDateFormat,
    HelpSearchGroups,
    HelpSearchCompact,
    HelpSort,
    HelpReverse,
    HelpMinWidth,
    HelpShowListSize,
    HelpInfofilesCommand,
    HelpAction,
    HelpFolder,
    HelpEndmarks,
    HelpSeries,
    HelpSeriesFile,
    HelpBaseDir,
    HelpStart,
    HelpCount,
    HelpPrefix,
    HelpNames,
    HelpProjectFile,
    HelpFiles,
    HelpFilesListSize,
    HelpTrackNumber,
    HelpCopyTrack,
    HelpSwapTracks,
    HelpInfo,
    HelpInfoFile,
    HelpTracks,
    HelpSummary,
    HelpTable,
    HelpTracksCompact,
    HelpTracksGroups,
    HelpTrackCount,
    HelpSet,
    HelpAll,
    HelpBank1,
    HelpBank2,
    HelpAssignments,
    HelpFromJson,
    HelpMarks,
    HelpSetEnd,
    HelpDeleteAfterEnd,
    HelpDeleteAll,
    HelpMarksYes,
    HelpMarksNo,
    HelpPeaks,
    HelpPeaksFile,
    HelpPeaksWidth,
    HelpArchive,
    HelpArchiveProjects,
    HelpArchiveTo,
    HelpArchiveLevel,
    HelpArchiveRemoveAfter,
    HelpArchiveR24,
    HelpArchiveVerify,
    HelpArchiveList,
    HelpArchiveRestore,
    HelpArchiveExtract,
    HelpArchiveCard,
    HelpArchiveNumber,
    HelpArchiveInfoFiles,
    HelpArchiveFlac,
    HelpArchiveYes,
    HelpArchiveNo,
    HelpArchiveUnavailable,
    ArchiveUnavailable,
    HelpImport,
    HelpImportSource,
    HelpImportName,
    HelpImportStereo,
    HelpExport,
    HelpExportTo,
    HelpExportFormat,
    HelpExportTracks,
    HelpExportOverwrite,
    HelpConversionUnavailable,
    ImportStereoChoice, // %1 the source, %2 %3 the pair, %4 the track
    Imported,           // %1 the file, %2 the track(s), %3 bits, %4 channels, %5 the length
    Exported,           // %1 the file
    ExportNothing,
    ExportMissing,      // %1 the track, %2 the file, %3 the folder
    ExportExists,       // %1 the file
    BadTrackList,       // %1 what was given
    ArchiveBadHex,
    ArchiveNotSpurwerk,
    ArchiveNewer,  // %1 the version
    ArchiveUnknownStorage,  // %1 the storage
    ArchivePartsDiffer,  // %1 the file
    ArchivePathOutsideProject,  // %1 the path
    ArchiveManifestDamaged,  // %1 the reader's reason
    ArchiveFolderOutsideTarget,  // %1 the folder
    ArchiveBadProjectFile,
    ArchiveOutOfMemory,  // %1 the library
    ArchiveFlacEncoder,  // %1 the reason
    ArchiveFlacDamaged,  // %1 the file
    ArchiveFlacDamagedWhy,  // %1 the file, %2 the decoder's reason
    ArchiveFlacMd5,  // %1 the file
    ArchiveFlacFormat,  // %1 the file
    ArchiveChanged,  // %1 the file
    ArchiveNotAnArchive,  // %1 the file, %2 the manifest's name
    ArchiveManifestTooLarge,
    ArchiveManifestCut,
    ArchiveNamedTwice,  // %1 the file
    ArchiveEndsBefore,  // %1 the entry
    ArchiveEntryMisplaced,  // %1 the entry, %2 the one expected
    ArchiveSizeDiffers,  // %1 the file
    ArchiveFlacBytes,  // %1 the file, %2 the bytes decoded, %3 the bytes expected
    ArchiveChecksum,  // %1 the file
    ArchiveUnnamedEntry,  // %1 the entry
    ArchiveLevelRange,  // %1 what was given
    ArchiveNoProjectFile,  // %1 the folder
    ArchiveIntoProject,  // %1 the target
    ArchiveNoFreeNumber,  // %1 the card
    ArchiveNumberRange,  // %1 what was given
    ArchiveReadsBack,  // %1 the file
    ArchiveNoTrackFile,  // %1 the track
    ArchiveNoSuchFile,  // %1 the file
    ArchiveStoredRaw,  // %1 the file, %2 why
    ArchiveCannotWrite,  // %1 the reason
    ArchiveContainerDamaged,  // %1 the archive, %2 the reason
    ArchivePathOutside,  // %1 the path
    ArchiveHoldsLink,  // %1 the entry
    ArchiveHoldsNoFile,  // %1 the entry
    ArchiveSkippedLink,  // %1 the entry
    ArchiveSkippedNoFile,  // %1 the entry
    ArchiveNeedsTo,
    ArchiveNeedsProject,
    ArchiveNoProjectPath,  // %1 the path
    ArchiveHoldsNoProject,  // %1 the folder
    ArchiveNotArchived,  // %1 the folder
    ArchiveWritten,  // %1 the folder, %2 the archive, %3 the files, %4 %5 the sizes
    ArchiveWrittenRemoved,  // as ArchiveWritten
    ArchiveOneFailed,  // the error follows
    ArchiveManyFailed,  // %1 the count; the errors follow
    ArchiveListArchive,  // %1 the archive
    ArchiveListHead,  // %1 folder, %2 project, %3 model, %4 bits, %5 date
    ArchiveListTracks,
    ArchiveListMarks,  // %1 the marks
    ArchiveListNoMarks,
    ArchiveListFiles,
    ArchiveListFlac,  // %1 channels, %2 rate, %3 bits
    ArchiveListRaw,
    ArchiveListRawWhy,  // %1 why
    ArchiveVerified,  // %1 the archive, %2 the files, %3 the folder
    ArchiveNeedsCard,
    ArchiveNothingRestored,
    ArchiveRestored,  // %1 the archive, %2 the folder, %3 the files
    ArchiveNeedsFilesTarget,
    ArchiveNeedsTracks,
    WavCannotOpen,
    WavNotWave,
    WavNoFormat,
    WavNoData,
    WavUnsupported,
    WavBadLayout,
    WavReadError,
    WavOtherRate,  // %1 the file, %2 its rate
    PeaksHead,  // %1 the file, %2 frames, %3 channels, %4 rate
    PeaksCutShort,  // %1 the bytes there, %2 the bytes declared
    TypeText,
    TypeInt,
    TypeUint,
    TypeFloat,
    TypeRange,  // %1 the type, %2 the lowest, %3 the highest
    Count,
};

inline constexpr const char* CliTextsSection = "CliTexts";

// Sets every text to its German default (InitResStrArr does it too).
void InitCliTexts();
const std::string& CliTxt(CliText text);
// The text with "%1", "%2", ... replaced by the arguments in order.
std::string CliTxt(CliText text, const std::vector<std::string>& arguments);
void SetCliTxt(CliText text, const std::string& value);
// The key of a text in section "CliTexts", e.g. "NothingSaved".
const char* CliTextKey(CliText text);

}  // namespace spurwerk
