#include "io/file_copy.h"

#include <cerrno>
#include <cstdio>

#include "io/file_io.h"
#include "io/path_text.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

// Copies the regular file `from` into `temp` (created beside `to`) and closes it.
std::error_code CopyToTemp(const fs::path& from, const fs::path& to, TempFile& temp) {
    std::error_code ec;
    InputFile in = InputFile::Open(from, ec);
    if (!in) return ec;
    if ((ec = temp.Create(to))) return ec;
    Bytes buffer(1 << 16);
    for (;;) {
        std::size_t read = in.Read(buffer.data(), buffer.size(), ec);
        if (ec) return ec;
        if ((ec = temp.Write(buffer.data(), read))) return ec;
        if (read < buffer.size()) break;
    }
    return temp.Close();
}

}  // namespace

CopyOutcome CopyFileIfAbsent(const fs::path& from, const fs::path& to, std::error_code& ec) {
    ec.clear();
    if (fs::exists(fs::symlink_status(to, ec))) return CopyOutcome::TargetExists;
    TempFile temp;
    if ((ec = CopyToTemp(from, to, temp))) return CopyOutcome::Failed;
    if (temp.MoveOntoTarget(false, ec)) return CopyOutcome::Copied;
    return ec ? CopyOutcome::Failed : CopyOutcome::TargetExists;
}

void CopyFileReplacing(const fs::path& from, const fs::path& requested) {
    const fs::path to = ResolveWriteTarget(requested);
    std::error_code ec;
    if (fs::is_directory(to, ec)) throw FileError::For(FileStep::Write, to, FileFault::IsFolder);
    TempFile temp;
    if ((ec = CopyToTemp(from, to, temp))) throw FileError::CopyTo(from, to, ec);
    if (!temp.MoveOntoTarget(true, ec)) throw FileError::For(FileStep::Write, to, ec);
}

void CreateFolders(const fs::path& folder, std::vector<fs::path>* created) {
    // The missing folders from the outermost in, so that each one made is known.
    std::vector<fs::path> missing, made;
    std::error_code ec;
    const fs::path start = folder.has_filename() ? folder : folder.parent_path();
    for (fs::path p = start; !p.empty() && !fs::exists(fs::symlink_status(p, ec)); p = p.parent_path()) {
        if (!missing.empty() && p == missing.back()) break;  // a root that does not exist
        missing.push_back(p);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (fs::create_directory(*it, ec)) made.push_back(*it);
        if (ec) break;
    }
    if (ec || !fs::is_directory(folder, ec)) {
        if (!ec) ec = std::make_error_code(std::errc::not_a_directory);
        // A failed creation leaves none of the folders it made.
        std::error_code ignored;
        for (auto it = made.rbegin(); it != made.rend(); ++it) fs::remove(*it, ignored);
        throw FileError::For(FileStep::CreateFolder, folder, ec);
    }
    if (created) created->insert(created->end(), made.begin(), made.end());
}

MadeFolders::~MadeFolders() {
    std::error_code ignored;
    if (!folders_.empty()) fs::remove_all(folders_.front(), ignored);
}

}  // namespace spurwerk
