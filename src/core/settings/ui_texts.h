#pragma once
// Texts outside the numbered table that a user still sees: the message
// boxes' buttons, the per-file action menu, the input dialogs, window titles,
// a few messages and the language of Qt's own dialogs. A language file keeps them in section "UiTexts"; a key it lacks
// (a file written before these existed) keeps the German default. Line
// breaks are stored as "<BR>", as in the numbered texts.

#include <string>
#include <vector>

namespace spurwerk {

enum class UiText {
    MessageOk,
    MessageCancel,
    MessageYes,
    MessageNo,
    MessageYesToAll,
    MessageNoToAll,
    MenuOpen,
    MenuShowInFileManager,
    MenuCopyPath,
    MenuWavInfo,
    HistCaption,
    HistPrompt,
    HistOk,
    HistCancel,
    HistBrowse,
    HistDeleteMissing,
    HistMissingEntries,  // after the count: "3 nicht-existente Einträge:"
    HistFindFile,
    HistAllFiles,
    HistFileNotFound,  // %1 is the file
    TimedCaption,
    TimedMessageCaption,
    TimedOk,
    TimedNo,
    TimedCancel,
    TimedRemaining,
    TimedInvalidInput,
    TitleMain,
    TitleMixer,
    TitleFileList,
    TitleSeries,
    SeriesFolderHint,
    SearchPrompt,
    SearchWavFilter,
    SearchZdtFilter,
    R24Fallback,
    MarkTableFull,  // %1 is the number of slots
    TitleTrackView,
    MenuTrackView,
    MenuPlay,
    TrackViewStop,
    TrackViewFit,
    TrackViewSetMark,
    TrackViewDeleteMark,
    TrackViewMoveMark,
    TrackViewPreviewNote,
    TrackViewNoOutput,
    TrackViewNoFile,
    TrackViewReading,
    ArchiveExists,  // %1 is the archive file
    RestoreExists,  // %1 is the project folder
    ArchiveTargetPrompt,
    ArchiveRemoveQuestion,
    ArchiveProgress,
    ArchiveDone,      // %1 is the list of archives
    ArchiveNoProject,
    RestoreOpenCaption,
    RestoreCardPrompt,
    RestoreNumberPrompt,
    RestoreProgress,
    RestoreDone,      // %1 is the project folder
    ExternalChangeQuestion,  // %1 is the file
    ExternalChangeReload,
    ExternalChangeOverwrite,
    QtLanguage,  // "de", "en", ...: which of Qt's translations the dialogs use
    NotAnInteger,  // %1 is what was typed
    MoreLines,     // the last line of a cut list: %1 is the number of lines left out
    SliderReset,   // a slider's context entry
    // Whole sentences a language may give instead of the ones joined from
    // numbered texts (empty, as in German: the joined one). %1, %2 ... are the values.
    HistMissingEntry,   // after the count 1: "1 entry that no longer exists:"
    SearchFound,        // %1 files listed, %2 examined, %3 the folder
    SearchFoundOne,     // the same for one file listed
    SearchFolderPrompt, // %1 the verb (texts 205-207)
    SeriesQuestion,     // %1 the first folder, %2 the last
    WavListHeader,      // %1 WAV files, %2 of them assigned
    WavListHeaderOne,   // the same for one WAV file
    // The words of the mixer's undo steps (mixer/step_captions).
    StepStatus,
    StepFile,
    StepPan,
    StepStereo,
    StepEqHigh,
    StepEqMid,
    StepEqLow,
    StepReverb,
    StepChorus,
    StepFader,
    StepInvert,
    StepEqHighHz,
    StepEqMidHz,
    StepEqLowHz,
    StepEqMidQuality,
    StepRecord,
    StepPlay,
    StepMute,
    StepOn,
    StepOff,
    StepEmpty,
    StepTrack,
    StepTracks,
    StepMaster,
    StepProjectName,
    StepTrackCount,
    StepCopied,
    StepMarkAtEnd,
    StepMarksAfterEnd,
    StepAllMarks,
    // Why the recorder refuses a WAV file (audio/recorder_rules).
    RuleUnreadable,
    RuleNotPcm,
    RuleSampleRate,
    RuleBitDepth,
    RuleChannels,
    RuleNameLength,
    RuleNameCharacters,
    // Importing and exporting audio (audio/audio_convert, audio_import).
    ImportCannotDecode,
    ImportNoFile,
    ImportEmpty,
    ImportTooManyChannels,
    ImportNameTaken,
    ConversionUnavailable,
    StepImported,
    MenuImportAudio,
    MenuExportTracks,
    ImportStereoQuestion,
    AudioJobRunning,
    ExportOverwrite,
    ExportFormatPrompt,
    // Why the track view cannot play.
    TrackViewOutputFormat,  // %1 the sample rate
    TrackViewOutputFailed,
    TrackViewNoMultimedia,
    TrackViewNoPlaybackModule,  // %1 why the module could not be loaded
    Count,
};

inline constexpr const char* UiTextsSection = "UiTexts";

// Sets every text to its German default (InitResStrArr does it too).
void InitUiTexts();
const std::string& UiTxt(UiText text);
// The text with its "%1" replaced by `argument`.
std::string UiTxt(UiText text, const std::string& argument);
void SetUiTxt(UiText text, const std::string& value);
// The language's own sentence `text` with %1, %2 ... replaced by `arguments`,
// or `joined` when the language has none.
std::string UiSentence(UiText text, const std::vector<std::string>& arguments, const std::string& joined);
// The key of a text in section "UiTexts", e.g. "MessageYes".
const char* UiTextKey(UiText text);

// The Qt language code for a language box entry without its own
// "QtLanguage" key: "Deutsch" -> "de", "English" -> "en"; empty when unknown.
std::string QtLanguageCodeFor(const std::string& languageName);

}  // namespace spurwerk
