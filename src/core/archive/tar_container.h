#pragma once
// The container: a plain tar file (GNU format) through libarchive, so that any tar
// program opens it. Names are stored as the card's bytes.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "io/file_io.h"

namespace spurwerk {

class TarWriter {
public:
    // Writes into the temporary file; the caller moves it into place.
    explicit TarWriter(TempFile& out);
    ~TarWriter();
    TarWriter(const TarWriter&) = delete;
    TarWriter& operator=(const TarWriter&) = delete;

    // Declares an entry of `size` bytes; exactly that many must follow through Write.
    void Begin(const std::string& name, std::uint64_t size, std::time_t mtime);
    void Write(const std::uint8_t* data, std::size_t size);
    void Close();

    struct State;  // libarchive's callbacks reach it

private:
    std::unique_ptr<State> state_;
};

class TarReader {
public:
    // Throws FileError when the file cannot be opened.
    explicit TarReader(const std::filesystem::path& path);
    ~TarReader();
    TarReader(const TarReader&) = delete;
    TarReader& operator=(const TarReader&) = delete;

    // The next entry's name; false at the end. Throws FileError for a damaged
    // container and for anything but a regular file with a plain relative
    // name (a symbolic link, a path leaving the folder).
    bool Next(std::string& name, std::uint64_t& size);
    // Reads up to `size` bytes of the current entry; 0 at its end.
    std::size_t Read(std::uint8_t* buffer, std::size_t size);
    void Skip();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace spurwerk
