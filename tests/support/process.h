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

// Starts the program once for each argument list, all at the same moment,
// and waits for all of them; the results come in the order of the lists.
std::vector<ProcessResult> RunConcurrently(const std::string& program,
                                           const std::vector<std::vector<std::string>>& argumentLists,
                                           int timeoutSeconds = 120);

}  // namespace spurwerk::testing
