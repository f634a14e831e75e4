#pragma once
// Shared steps of the commands: opening a file as a project session and
// saving it back.

#include <cstddef>
#include <string>

#include "project/project_session.h"

namespace spurwerk::cli {

// Refuses what is no project file: a WAV file, or a file shorter than a project.
void RequireProjectFile(const std::string& file, const Bytes& data);

// Reads the file (a project-name info file stands for its project) into a
// session, refusing it with requireProject unless it is a project. `forChange`
// holds the file's lock from before the read until the session ends, so that
// concurrent commands on one file apply one after the other.
ProjectSession OpenSession(const std::string& file, bool requireProject, bool forChange = false);

// Saves the session's document under its loaded file and prints the program's
// result message.
void SaveSession(ProjectSession& session);

// The recording end of the project: the longest WAV in its AUDIO folder.
std::int32_t RecordingEndOf(const std::string& projectFile);

// The columns of the terminal that stdout is; 0 when stdout is no terminal
// (a pipe or a file). $COLUMNS wins, as shells set it for their programs.
std::size_t TerminalColumns();

}  // namespace spurwerk::cli
