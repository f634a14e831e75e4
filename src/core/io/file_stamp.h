#pragma once
// What a file on disk looked like when a program loaded or saved it, so that a
// later save can tell whether another program changed the file meanwhile.

#include <cstdint>
#include <filesystem>

#include "text/bytes.h"

namespace spurwerk {

struct FileStamp {
    bool known = false;   // false: nothing recorded (no file loaded yet)
    bool exists = false;
    std::uintmax_t size = 0;
    std::uint64_t contentHash = 0;
};

std::uint64_t ContentHash(const Bytes& data);
// The stamp of a file that holds exactly `data` (read or just written).
FileStamp StampOfBytes(const Bytes& data);

// The file as it is now: its size and the hash of its content (read
// up to the document size limit; a larger or unreadable file gets hash 0).
FileStamp StampFile(const std::filesystem::path& path);

// Whether the file differs from the recorded stamp: by its size, else by its
// content. The modification time alone does not decide: a memory card keeps it
// to two seconds, so a change within them would pass unseen, and a file only
// touched loses nothing when written over. A file deleted meanwhile counts as
// unchanged (a save writes it anew).
bool ChangedOnDisk(const FileStamp& recorded, const FileStamp& now);

}  // namespace spurwerk
