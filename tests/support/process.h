#pragma once
// Runs a program as a separate process and captures what it prints.

#include <string>
#include <vector>

namespace spurwerk::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Where the program's stdout goes (POSIX only): a file such as /dev/full, or
// closed. A program still running after `timeoutSeconds` is killed and gives
// exit code -2, so a hang fails a test instead of blocking the suite.
struct ProcessOptions {
    std::string stdoutPath;
    bool closeStdout = false;
    int timeoutSeconds = 120;
    std::string input;  // its standard input
};

// Runs `program` with `arguments` (no shell interpretation of their content).
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = {});

}  // namespace spurwerk::testing
