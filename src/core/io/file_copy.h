#pragma once
// Copying files without ever leaving a half-written target: the copy goes to a
// temporary file in the target's folder and is moved into place when complete.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace spurwerk {

enum class CopyOutcome { Copied, TargetExists, Failed };

// Copies unless the target exists (the "fail if exists" copy). On Failed, `ec`
// tells why; nothing is left behind.
CopyOutcome CopyFileIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to,
                             std::error_code& ec);

// Copies, replacing the target; throws FileError and leaves the old target as
// it was on failure.
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Creates the folder with all missing parents; throws FileError. Appends
// every folder it made, outermost first, to `created`.
void CreateFolders(const std::filesystem::path& folder, std::vector<std::filesystem::path>* created = nullptr);

// The folders an operation made: unless kept, they are removed again (the
// outermost with all it holds by then), so a failed operation leaves nothing
// half-made behind.
class MadeFolders {
public:
    MadeFolders() = default;
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;
    ~MadeFolders();
    void Create(const std::filesystem::path& folder) { CreateFolders(folder, &folders_); }
    void Keep() { folders_.clear(); }

private:
    std::vector<std::filesystem::path> folders_;
};

}  // namespace spurwerk
