#include "archive/tar_container.h"

#include <archive.h>
#include <archive_entry.h>

#include "archive/archive_manifest.h"
#include "io/path_text.h"
#include "archive/archive_error.h"
#include "io/shared_library.h"
#include "settings/cli_texts.h"
#include "settings/file_error_text.h"

namespace spurwerk {

namespace {

// libarchive, opened on the first archive.
#define LIBARCHIVE_FUNCTIONS(X) X(archive_entry_copy_pathname) X(archive_entry_filetype) X(archive_entry_free) \
    X(archive_entry_hardlink) X(archive_entry_new) X(archive_entry_pathname) X(archive_entry_set_filetype) \
    X(archive_entry_set_mtime) X(archive_entry_set_perm) X(archive_entry_set_size) X(archive_entry_size) \
    X(archive_error_string) X(archive_read_data) X(archive_read_data_skip) X(archive_read_free) \
    X(archive_read_new) X(archive_read_next_header) X(archive_read_open_filename) \
    X(archive_read_support_format_tar) X(archive_set_error) X(archive_write_close) X(archive_write_data) \
    X(archive_write_free) X(archive_write_header) X(archive_write_new) X(archive_write_open) \
    X(archive_write_set_bytes_in_last_block) X(archive_write_set_format_gnutar)
SPURWERK_SHARED_API(LibarchiveApi, Libarchive, LIBARCHIVE_FUNCTIONS, {SPURWERK_LIBARCHIVE_SONAME, SPURWERK_LIBARCHIVE_PATH})

}  // namespace

struct TarWriter::State {
    archive* a = nullptr;
    TempFile* out = nullptr;
    std::error_code fault;
    bool closed = false;
    // Freed here so that a constructor that throws after opening frees it too.
    ~State() {
        if (a) Libarchive().archive_write_free(a);
    }
};

namespace {

// libarchive's own words, which it has in English only.
std::string LibraryReason(archive* a) {
    const char* reason = Libarchive().archive_error_string(a);
    return reason ? reason : CliTxt(CliText::SystemIo);
}

std::string WriteReason(const TarWriter::State& state) {
    return state.fault ? SystemErrorInLanguage(state.fault) : LibraryReason(state.a);
}

la_ssize_t WriteToTemp(archive* a, void* client, const void* buffer, std::size_t size) {
    auto* state = static_cast<TarWriter::State*>(client);
    std::error_code ec = state->out->Write(static_cast<const std::uint8_t*>(buffer), size);
    if (ec) {
        state->fault = ec;
        Libarchive().archive_set_error(a, ec.value(), "%s", ec.message().c_str());
        return -1;
    }
    return static_cast<la_ssize_t>(size);
}

}  // namespace

TarWriter::TarWriter(TempFile& out) : state_(std::make_unique<State>()) {
    state_->out = &out;
    state_->a = Libarchive().archive_write_new();
    if (!state_->a) throw ArchiveError(CliText::ArchiveOutOfMemory, {"libarchive"});
    // GNU tar: names go in as the card's bytes (Windows-1252 names stay what
    // they are), long names and sizes beyond 8 GiB fit, and every tar reads it.
    Libarchive().archive_write_set_format_gnutar(state_->a);
    Libarchive().archive_write_set_bytes_in_last_block(state_->a, 1);
    if (Libarchive().archive_write_open(state_->a, state_.get(), nullptr, WriteToTemp, nullptr) != ARCHIVE_OK)
        throw ArchiveError(CliText::ArchiveCannotWrite, {LibraryReason(state_->a)});
}

TarWriter::~TarWriter() = default;

void TarWriter::Begin(const std::string& name, std::uint64_t size, std::time_t mtime) {
    archive_entry* entry = Libarchive().archive_entry_new();
    Libarchive().archive_entry_copy_pathname(entry, name.c_str());
    Libarchive().archive_entry_set_size(entry, static_cast<la_int64_t>(size));
    Libarchive().archive_entry_set_filetype(entry, AE_IFREG);
    Libarchive().archive_entry_set_perm(entry, 0644);
    Libarchive().archive_entry_set_mtime(entry, mtime, 0);
    int status = Libarchive().archive_write_header(state_->a, entry);
    Libarchive().archive_entry_free(entry);
    if (status < ARCHIVE_WARN) throw ArchiveError(CliText::ArchiveCannotWrite, {LibraryReason(state_->a)});
}

void TarWriter::Write(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        la_ssize_t written = Libarchive().archive_write_data(state_->a, data, size);
        if (written <= 0) throw ArchiveError(CliText::ArchiveCannotWrite, {WriteReason(*state_)});
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void TarWriter::Close() {
    if (Libarchive().archive_write_close(state_->a) != ARCHIVE_OK) throw ArchiveError(CliText::ArchiveCannotWrite, {WriteReason(*state_)});
}

struct TarReader::State {
    archive* a = nullptr;
    std::filesystem::path path;
    // Here rather than in ~TarReader: a constructor that throws after opening
    // frees it too.
    ~State() {
        if (a) Libarchive().archive_read_free(a);
    }
};

namespace {

[[noreturn]] void ThrowDamaged(archive* a, const std::filesystem::path& path) {
    throw ArchiveError(CliText::ArchiveContainerDamaged, {PathText(path), LibraryReason(a)});
}

}  // namespace

TarReader::TarReader(const std::filesystem::path& path) : state_(std::make_unique<State>()) {
    state_->path = path;
    if (!IsRegularFile(path)) {
        std::error_code ec;
        bool exists = std::filesystem::exists(path, ec);
        throw FileError::For(FileStep::Read, path, exists ? NotARegularFileError()
                                                         : std::make_error_code(std::errc::no_such_file_or_directory));
    }
    state_->a = Libarchive().archive_read_new();
    Libarchive().archive_read_support_format_tar(state_->a);
    if (Libarchive().archive_read_open_filename(state_->a, PathText(path).c_str(), 64 * 1024) != ARCHIVE_OK)
        ThrowDamaged(state_->a, path);
}

TarReader::~TarReader() = default;

bool TarReader::Next(std::string& name, std::uint64_t& size) {
    archive_entry* entry = nullptr;
    int status = Libarchive().archive_read_next_header(state_->a, &entry);
    if (status == ARCHIVE_EOF) return false;
    if (status < ARCHIVE_WARN) ThrowDamaged(state_->a, state_->path);
    const char* pathname = Libarchive().archive_entry_pathname(entry);
    name = pathname ? pathname : "";
    if (!IsSafeRelativePath(name))
        throw ArchiveError(CliText::ArchivePathOutside, {NameText(name)});
    if (Libarchive().archive_entry_filetype(entry) != AE_IFREG) {
        bool link = Libarchive().archive_entry_filetype(entry) == AE_IFLNK || Libarchive().archive_entry_hardlink(entry);
        throw ArchiveError(link ? CliText::ArchiveHoldsLink : CliText::ArchiveHoldsNoFile, {NameText(name)});
    }
    if (Libarchive().archive_entry_hardlink(entry))
        throw ArchiveError(CliText::ArchiveHoldsLink, {NameText(name)});
    la_int64_t entrySize = Libarchive().archive_entry_size(entry);
    size = entrySize > 0 ? static_cast<std::uint64_t>(entrySize) : 0;
    return true;
}

std::size_t TarReader::Read(std::uint8_t* buffer, std::size_t size) {
    la_ssize_t got = Libarchive().archive_read_data(state_->a, buffer, size);
    if (got < 0) ThrowDamaged(state_->a, state_->path);
    return static_cast<std::size_t>(got);
}

void TarReader::Skip() {
    if (Libarchive().archive_read_data_skip(state_->a) < ARCHIVE_WARN) ThrowDamaged(state_->a, state_->path);
}

}  // namespace spurwerk
