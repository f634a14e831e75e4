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
    ImportStereoChoice, // %1 the source, %2 %3 the pair, %4 the track
    Imported,           // %1 the file, %2 the track(s), %3 bits, %4 channels, %5 the length
    Exported,           // %1 the file
    ExportNothing,
    ExportMissing,      // %1 the track, %2 the file, %3 the folder
    ExportExists,       // %1 the file
    BadTrackList,       // %1 what was given
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
