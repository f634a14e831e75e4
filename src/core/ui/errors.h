#pragma once
// The two ways a user command ends early. SilentAbort unwinds to where the
// command began and shows nothing; FileError carries the system's message and
// is shown (GUI) or printed (CLI). Neither is ever turned into success.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace spurwerk {

class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "aborted"; }
};

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // "<what> "<path>": <system reason>"
    static FileError For(const std::string& what, const std::filesystem::path& path,
                         const std::error_code& ec);
    static FileError For(const std::string& what, const std::filesystem::path& path,
                         const std::string& reason);
};

}  // namespace spurwerk
