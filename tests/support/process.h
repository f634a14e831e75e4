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

// Runs `program` with `arguments` (no shell interpretation of their content);
// `input` is its standard input.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "");

}  // namespace spurwerk::testing
