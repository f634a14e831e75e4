#include "cli_support.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "cli_dialogs.h"
#include "io/path_text.h"
#include "json_output.h"
#include "project/document_ops.h"
#include "project/project_info.h"
#include "settings/environment_text.h"
#include "settings/text_table.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

FileLock LockProjectFile(const std::string& file) {
    return FileLock::Acquire(PathFromText(ResolveInfoFileName(file)));
}

namespace {

// A WAV file is as large as a project file but never one: taken for one, a
// command would write mixer bytes into the audio.
bool IsWaveFile(const Bytes& data) {
    auto at = [&](std::size_t offset, const char* tag) {
        return data.size() >= offset + 4 && std::equal(tag, tag + 4, data.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    return (at(0, "RIFF") || at(0, "RF64") || at(0, "BW64")) && at(8, "WAVE");
}

}  // namespace

ZDTDocument LoadDocument(const std::string& file, bool requireProject) {
    ZDTDocument doc;
    doc.LoadedZDTFileName = ResolveInfoFileName(file);
    doc.ReplaceZDTData(ReadWholeFile(PathFromText(doc.LoadedZDTFileName)));
    if (requireProject && IsWaveFile(doc.ZDTData()))
        throw CommandError(CliTxt(CliText::NotAProjectShort,
                                  {doc.LoadedZDTFileName, std::to_string(doc.ZDTData().size())}));
    if (requireProject && !doc.IsProject())
        throw CommandError(CliTxt(CliText::NotAProject, {doc.LoadedZDTFileName, std::to_string(doc.ZDTData().size()),
                                                          std::to_string(MinProjectDataSize)}));
    doc.ReplaceCompareData(doc.ZDTData());
    doc.MarkLoaded();
    return doc;
}

void SaveDocument(const ZDTDocument& doc, const std::string& file) {
    WriteFileAtomically(PathFromText(file), doc.ZDTData());
    if (JsonOutput()) {
        ReportWritten(file);
        return;
    }
    std::cout << TerminalText(std::to_string(doc.ZDTData().size()) + " " + Txt(141) + file + Txt(142)) << "\n";
}

std::int32_t RecordingEndOf(const std::string& projectFile) {
    return LongestWavDuration(AudioFolderOf(projectFile));
}

std::size_t TerminalColumns() {
#ifdef _WIN32
    if (!_isatty(_fileno(stdout))) return 0;
    CONSOLE_SCREEN_BUFFER_INFO info;
    std::size_t columns = 80;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info))
        columns = static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
    if (!isatty(STDOUT_FILENO)) return 0;
    winsize size{};
    std::size_t columns = ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
#endif
    std::string variable = EnvironmentText("COLUMNS");
    if (!variable.empty() && variable.find_first_not_of("0123456789") == std::string::npos && variable.size() < 5)
        columns = static_cast<std::size_t>(std::stoi(variable));
    return columns > 0 ? columns : 80;
}

}  // namespace spurwerk::cli
