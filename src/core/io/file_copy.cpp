#include "io/file_copy.h"

#include <random>

#include "io/file_io.h"
#include "io/path_text.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

fs::path TempBeside(const fs::path& target) {
    static std::mt19937 random{std::random_device{}()};
    return target.parent_path() /
           PathFromText("." + PathText(target.filename()) + ".tmp" + std::to_string(random() % 1000000));
}

// Copies into a temporary file beside `to`; returns its path, or empty with ec set.
fs::path CopyToTemp(const fs::path& from, const fs::path& to, std::error_code& ec) {
    if (!fs::is_regular_file(from, ec)) {
        if (!ec) ec = std::make_error_code(std::errc::no_such_file_or_directory);
        return {};
    }
    fs::path temp = TempBeside(to);
    bool copied = fs::copy_file(from, temp, fs::copy_options::none, ec);
    if (std::error_code fault = InjectedWriteFault(to)) {
        copied = false;
        ec = fault;
    }
    if (!copied) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (!ec) ec = std::make_error_code(std::errc::io_error);
        return {};
    }
    return temp;
}

}  // namespace

CopyOutcome CopyFileIfAbsent(const fs::path& from, const fs::path& to, std::error_code& ec) {
    ec.clear();
    if (fs::exists(fs::symlink_status(to, ec))) return CopyOutcome::TargetExists;
    ec.clear();
    fs::path temp = CopyToTemp(from, to, ec);
    if (temp.empty()) return CopyOutcome::Failed;
    // Checked again right before the move, so a file that appeared meanwhile survives.
    std::error_code ignored;
    if (fs::exists(fs::symlink_status(to, ignored))) {
        fs::remove(temp, ignored);
        return CopyOutcome::TargetExists;
    }
    fs::rename(temp, to, ec);
    if (ec) {
        fs::remove(temp, ignored);
        return CopyOutcome::Failed;
    }
    return CopyOutcome::Copied;
}

void CopyFileReplacing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::is_directory(to, ec)) throw FileError::For("Cannot write", to, "is a folder, not a file");
    fs::path temp = CopyToTemp(from, to, ec);
    if (temp.empty()) throw FileError::For("Cannot copy", from, ec);
    std::error_code ignored;
    fs::rename(temp, to, ec);
    if (ec) {
        fs::remove(temp, ignored);
        throw FileError::For("Cannot write", to, ec);
    }
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(PathFromText(path), ec);
}

void CreateFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
        throw FileError::For("Cannot create folder", folder, ec);
    }
}

}  // namespace spurwerk
