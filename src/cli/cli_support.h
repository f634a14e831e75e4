#pragma once
// Shared steps of the commands: loading a file as a project document and
// saving it back.

#include <cstddef>
#include <string>

#include "io/file_lock.h"
#include "project/zdt_document.h"

namespace spurwerk::cli {

// The lock a command holds from reading a project file until it has written it
// back, so that concurrent commands on one file apply one after the other.
FileLock LockProjectFile(const std::string& file);

// Reads the file (a project-name info file stands for its project). With
// requireProject a file shorter than a project is refused.
ZDTDocument LoadDocument(const std::string& file, bool requireProject);

// Writes the document atomically and prints the program's result message.
void SaveDocument(const ZDTDocument& doc, const std::string& file);

// The recording end of the project: the longest WAV in its AUDIO folder.
std::int32_t RecordingEndOf(const std::string& projectFile);

// The columns of the terminal that stdout is; 0 when stdout is no terminal
// (a pipe or a file). $COLUMNS wins, as shells set it for their programs.
std::size_t TerminalColumns();

}  // namespace spurwerk::cli
