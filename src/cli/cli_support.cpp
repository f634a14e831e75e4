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

void RequireProjectFile(const std::string& file, const Bytes& data) {
    if (IsWaveFile(data))
        throw CommandError(CliTxt(CliText::NotAProjectShort, {file, std::to_string(data.size())}));
    if (data.size() < MinProjectDataSize)
        throw CommandError(CliTxt(CliText::NotAProject, {file, std::to_string(data.size()),
                                                          std::to_string(MinProjectDataSize)}));
}

ProjectSession OpenSession(const std::string& file, bool requireProject, bool forChange) {
    ProjectSession session;
    if (forChange) session.HoldLock(file);
    LoadOptions options;
    if (requireProject) options.check = RequireProjectFile;
    session.Load(file, options);
    return session;
}

void SaveSession(ProjectSession& session) {
    const std::string file = session.LoadedZDTFileName;
    session.Save(file);
    if (JsonOutput()) {
        ReportWritten(file);
        return;
    }
    std::cout << TerminalText(std::to_string(session.doc.ZDTData().size()) + " " + Txt(141) + file + Txt(142)) << "\n";
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
