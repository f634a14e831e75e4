#include "io/file_stamp.h"

#include "io/file_io.h"
#include "ui/errors.h"

namespace fs = std::filesystem;

namespace spurwerk {

std::uint64_t ContentHash(const Bytes& data) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (std::uint8_t b : data) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

FileStamp StampOfBytes(const Bytes& data) {
    FileStamp stamp;
    stamp.known = stamp.exists = true;
    stamp.size = data.size();
    stamp.contentHash = ContentHash(data);
    return stamp;
}

FileStamp StampFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        FileStamp missing;
        missing.known = true;
        return missing;
    }
    try {
        return StampOfBytes(ReadWholeFile(path));
    } catch (const FileError&) {
        FileStamp unreadable;
        unreadable.known = unreadable.exists = true;
        unreadable.size = fs::file_size(path, ec);
        return unreadable;
    }
}

bool ChangedOnDisk(const FileStamp& recorded, const FileStamp& now) {
    if (!recorded.known || !recorded.exists || !now.exists) return false;
    if (recorded.size != now.size) return true;
    return recorded.contentHash != now.contentHash;
}

}  // namespace spurwerk
