#pragma once

#include <CLI/CLI.hpp>

namespace spurwerk::cli {

// Each adds its subcommands; a subcommand's callback does the work and may
// throw CommandError, FileError or SilentAbort.
void AddProjectCommands(CLI::App& app);
void AddByteCommands(CLI::App& app);
void AddFileCommands(CLI::App& app);
void AddMixerCommands(CLI::App& app);
void AddAudioCommands(CLI::App& app);

}  // namespace spurwerk::cli
