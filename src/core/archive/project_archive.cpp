#include "archive/project_archive.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "archive/archive_error.h"
#include "archive/sample_layout.h"
#include "archive/sha256.h"
#include "archive/tar_container.h"
#include "files/info_files.h"
#include "io/directory_walk.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/play_marks.h"
#include "project/track_layout.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t BlockBytes = 1 << 20;
constexpr std::uint64_t MaxManifestBytes = 16u << 20;

std::error_code SystemError() { return {errno ? errno : EIO, std::generic_category()}; }

// Counts bytes done and asks the front end whether to go on.
class ProgressCounter {
public:
    ProgressCounter(const ArchiveProgress& report, std::uint64_t total) : report_(report), total_(total) {}
    void Add(std::uint64_t bytes) {
        done_ += bytes;
        if (report_ && !report_(std::min(done_, total_), total_)) throw SilentAbort();
    }

private:
    const ArchiveProgress& report_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
};

// A plain C file that is closed (and with `removeOnFailure` deleted) unless kept.
class ScratchFile {
public:
    ScratchFile(fs::path path, const char* mode) : path_(std::move(path)) {
        file_ = std::fopen(PathText(path_).c_str(), mode);
        if (!file_) throw FileError::For(FileStep::Write, path_, std::error_code(errno, std::generic_category()));
    }
    ~ScratchFile() {
        if (file_) std::fclose(file_);
        if (!kept_) {
            std::error_code ec;
            fs::remove(path_, ec);
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    std::FILE* get() const { return file_; }
    const fs::path& path() const { return path_; }
    // Flushes (with `sync` to the medium) and closes; throws FileError on any write failure.
    void CloseChecked(bool sync) {
        errno = 0;
        bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
#ifndef _WIN32
        ok = ok && (!sync || fsync(fileno(file_)) == 0);
#endif
        std::error_code reason = ok ? std::error_code() : SystemError();
        ok = std::fclose(file_) == 0 && ok;
        file_ = nullptr;
        if (!ok) throw FileError::For(FileStep::Write, path_, reason ? reason : SystemError());
    }
    void Keep() { kept_ = true; }

private:
    fs::path path_;
    std::FILE* file_ = nullptr;
    bool kept_ = false;
};

void ReadExactly(InputFile& file, std::uint8_t* out, std::size_t count, const fs::path& path) {
    std::error_code ec;
    if (file.Read(out, count, ec) != count)
        throw ec ? FileError::For(FileStep::Read, path, ec) : FileError::For(FileStep::Read, path, FileFault::Shrank);
}

std::string HashFile(const fs::path& path, ProgressCounter* progress, std::uint64_t* size = nullptr) {
    InputFile file = InputFile::OpenOrThrow(path);
    Sha256 sha;
    std::vector<std::uint8_t> block(BlockBytes);
    std::uint64_t total = 0;
    std::error_code ec;
    while (std::size_t got = file.Read(block.data(), block.size(), ec)) {
        sha.Update(block.data(), got);
        total += got;
        if (progress) progress->Add(got);
    }
    if (ec) throw FileError::For(FileStep::Read, path, ec);
    if (size) *size = total;
    return sha.HexDigest();
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string UtcNowText() {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::time_t ModificationTime(const fs::path& path) {
    std::error_code ec;
    auto time = fs::last_write_time(path, ec);
    if (ec) return std::time(nullptr);
    auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::system_clock::to_time_t(system);
}

bool IsInfoFileName(const std::string& name) {
    std::string upper = UpperAscii(name);
    return upper.find("___") != std::string::npos && upper.size() > 9 &&
           upper.compare(upper.size() - 9, 9, "_NAME.TXT") == 0;
}

bool IsWavName(const std::string& name) {
    std::string upper = UpperAscii(name);
    return upper.size() > 4 && upper.compare(upper.size() - 4, 4, ".WAV") == 0;
}

const char* StatusText(TrackStatus status) {
    switch (status) {
        case TrackStatus::Record: return "record";
        case TrackStatus::Play: return "play";
        case TrackStatus::Off: break;
    }
    return "off";
}

// One file of the project on its way into the archive.
struct PackedFile {
    ArchivedFile record;
    fs::path source;
    std::time_t mtime = 0;
    std::vector<std::uint8_t> prefix, suffix;
    std::unique_ptr<ScratchFile> flac;
};

void PackFlac(PackedFile& file, const SampleLayout& layout, int level, const fs::path& scratchPath,
              ProgressCounter& progress) {
    ArchivedFile& r = file.record;
    r.storage = FileStorage::Flac;
    r.prefixBytes = layout.PrefixBytes();
    r.sampleBytes = layout.sampleBytes;
    r.suffixBytes = layout.SuffixBytes();
    r.format = {layout.channels, layout.bitsPerSample, layout.sampleRate};
    InputFile in = InputFile::OpenOrThrow(file.source);
    Sha256 sha;
    file.prefix.resize(r.prefixBytes);
    ReadExactly(in, file.prefix.data(), file.prefix.size(), file.source);
    sha.Update(file.prefix.data(), file.prefix.size());
    progress.Add(file.prefix.size());

    file.flac = std::make_unique<ScratchFile>(scratchPath, "w+b");
    FlacEncoder encoder(file.flac->get(), r.format, level, r.sampleBytes / r.format.FrameBytes());
    const std::size_t block = BlockBytes - BlockBytes % r.format.FrameBytes();
    std::vector<std::uint8_t> buffer(block);
    for (std::uint64_t left = r.sampleBytes; left > 0;) {
        std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, block));
        ReadExactly(in, buffer.data(), take, file.source);
        sha.Update(buffer.data(), take);
        encoder.Feed(buffer.data(), take);
        left -= take;
        progress.Add(take);
    }
    encoder.Finish();

    file.suffix.resize(r.suffixBytes);
    ReadExactly(in, file.suffix.data(), file.suffix.size(), file.source);
    sha.Update(file.suffix.data(), file.suffix.size());
    progress.Add(file.suffix.size());
    r.sha256 = sha.HexDigest();
}

void WriteBytesEntry(TarWriter& tar, const std::string& name, const std::vector<std::uint8_t>& bytes, std::time_t mtime) {
    tar.Begin(name, bytes.size(), mtime);
    tar.Write(bytes.data(), bytes.size());
}

// Copies a file into the current entry; the bytes must hash to `sha256` (the
// card's file changed under us otherwise).
void WriteFileEntry(TarWriter& tar, const std::string& name, const fs::path& source, std::uint64_t size,
                    const std::string& sha256, std::time_t mtime) {
    InputFile in = InputFile::OpenOrThrow(source);
    tar.Begin(name, size, mtime);
    Sha256 sha;
    std::vector<std::uint8_t> buffer(BlockBytes);
    for (std::uint64_t left = size; left > 0;) {
        std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        ReadExactly(in, buffer.data(), take, source);
        if (!sha256.empty()) sha.Update(buffer.data(), take);
        tar.Write(buffer.data(), take);
        left -= take;
    }
    if (!sha256.empty() && sha.HexDigest() != sha256)
        throw ArchiveError(CliText::ArchiveChanged, {PathText(source)});
}

// What each original file of an archive turns into while it is read.
class FileSink {
public:
    virtual ~FileSink() = default;
    virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
    // The FLAC stream as stored, for extraction as FLAC.
    virtual void WriteFlacStream(const std::uint8_t*, std::size_t) {}
    virtual void End() {}
};

ArchiveManifest ReadManifestEntry(TarReader& reader, const fs::path& archive) {
    std::string name;
    std::uint64_t size = 0;
    if (!reader.Next(name, size) || name != ManifestEntryName)
        throw ArchiveError(CliText::ArchiveNotAnArchive, {PathText(archive), ManifestEntryName});
    if (size > MaxManifestBytes) throw ArchiveError(CliText::ArchiveManifestTooLarge);
    std::string text(size, '\0');
    std::size_t at = 0;
    while (at < size) {
        std::size_t got = reader.Read(reinterpret_cast<std::uint8_t*>(text.data()) + at, size - at);
        if (got == 0) throw ArchiveError(CliText::ArchiveManifestCut);
        at += got;
    }
    ArchiveManifest manifest = ManifestFromJson(text);
    std::set<std::string> seen;
    for (const ArchivedFile& file : manifest.files)
        if (!seen.insert(UpperAscii(file.path)).second)
            throw ArchiveError(CliText::ArchiveNamedTwice, {NameText(file.path)});
    return manifest;
}

// Reads every entry in the manifest's order, rebuilds each original file,
// checks its size and checksum and hands it to the sink `sinkFor` gives (none:
// the file's entries are passed over unchecked, for extracting one file).
ArchiveManifest ReadArchive(const fs::path& archive, const std::function<FileSink*(const ArchivedFile&)>& sinkFor,
                            bool checkAll, const ArchiveProgress& report) {
    TarReader reader(archive);
    ArchiveManifest manifest = ReadManifestEntry(reader, archive);
    std::uint64_t total = 0;
    for (const ArchivedFile& file : manifest.files) total += file.size;
    ProgressCounter progress(report, total);
    std::vector<std::uint8_t> buffer(BlockBytes);
    for (const ArchivedFile& file : manifest.files) {
        FileSink* sink = sinkFor ? sinkFor(file) : nullptr;
        bool check = checkAll || sink;
        const std::string shown = "\"" + NameText(file.path) + "\"";
        Sha256 sha;
        std::uint64_t produced = 0;
        auto emit = [&](const std::uint8_t* data, std::size_t size) {
            sha.Update(data, size);
            produced += size;
            if (sink) sink->Write(data, size);
            progress.Add(size);
        };
        std::vector<std::string> names = ArchiveManifest::EntryNames(manifest.folder, file);
        for (std::size_t part = 0; part < names.size(); ++part) {
            std::string name;
            std::uint64_t size = 0;
            if (!reader.Next(name, size))
                throw ArchiveError(CliText::ArchiveEndsBefore, {NameText(names[part])});
            if (name != names[part])
                throw ArchiveError(CliText::ArchiveEntryMisplaced, {NameText(name), NameText(names[part])});
            bool isFlac = file.storage == FileStorage::Flac && part == 1;
            std::uint64_t expected = file.storage == FileStorage::Raw ? file.size
                                     : part == 0                      ? file.prefixBytes
                                                                      : file.suffixBytes;
            if (!isFlac && size != expected)
                throw ArchiveError(CliText::ArchiveSizeDiffers, {NameText(file.path)});
            if (!check) {
                reader.Skip();
                continue;
            }
            if (isFlac) {
                std::uint64_t before = produced;
                auto source = [&](std::uint8_t* out, std::size_t want) {
                    std::size_t got = reader.Read(out, want);
                    if (sink) sink->WriteFlacStream(out, got);
                    return got;
                };
                DecodeFlac(file.format, source, emit, shown);
                if (produced - before != file.sampleBytes)
                    throw ArchiveError(CliText::ArchiveFlacBytes, {NameText(file.path), std::to_string(produced - before),
                                                                  std::to_string(file.sampleBytes)});
            } else {
                while (std::size_t got = reader.Read(buffer.data(), buffer.size())) emit(buffer.data(), got);
            }
        }
        if (!check) continue;
        if (produced != file.size || sha.HexDigest() != file.sha256)
            throw ArchiveError(CliText::ArchiveChecksum, {NameText(file.path)});
        if (sink) sink->End();
    }
    std::string extra;
    std::uint64_t extraSize = 0;
    if (reader.Next(extra, extraSize))
        throw ArchiveError(CliText::ArchiveUnnamedEntry, {NameText(extra)});
    return manifest;
}

class DiscardSink : public FileSink {
public:
    void Write(const std::uint8_t*, std::size_t) override {}
};

// Writes a restored or extracted file.
class DiskSink : public FileSink {
public:
    DiskSink(const fs::path& path, bool flacStream) : file_(path, "wb"), flacStream_(flacStream) {}
    void Write(const std::uint8_t* data, std::size_t size) override {
        if (!flacStream_) Put(data, size);
    }
    void WriteFlacStream(const std::uint8_t* data, std::size_t size) override {
        if (flacStream_) Put(data, size);
    }
    void End() override {
        file_.CloseChecked(true);
        file_.Keep();
    }

private:
    void Put(const std::uint8_t* data, std::size_t size) {
        errno = 0;
        if (size > 0 && std::fwrite(data, 1, size, file_.get()) != size)
            throw FileError::For(FileStep::Write, file_.path(), SystemError());
    }
    ScratchFile file_;
    bool flacStream_;
};

// A folder that is removed with everything in it unless kept.
class TemporaryFolder {
public:
    explicit TemporaryFolder(fs::path path) : path_(std::move(path)) {
        std::error_code ec;
        if (!fs::create_directory(path_, ec)) throw FileError::For(FileStep::CreateFolder, path_, ec ? ec : std::make_error_code(std::errc::file_exists));
    }
    ~TemporaryFolder() {
        if (kept_) return;
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    fs::path path_;
    bool kept_ = false;
};

// A card name (Windows-1252) as plain ASCII for a file name: letters with
// accents lose them, anything a file name cannot hold becomes "_".
std::string ProjectNameForFile(const std::string& name) {
    static const char latin[] = "AAAAAAACEEEEIIIIDNOOOOO_OUUUUYTsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
    std::string text;
    for (unsigned char c : name) {
        bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
        if (plain) text += static_cast<char>(c);
        else if (c == 0xDF) text += "ss";
        else if (c >= 0xC0) text += latin[c - 0xC0];
        else text += '_';
    }
    return text;
}

std::optional<int> ProjectNumberOf(const std::string& name) {
    if (name.size() != 7 || UpperAscii(name.substr(0, 4)) != "PROJ") return std::nullopt;
    int number = 0;
    for (std::size_t i = 4; i < 7; ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

}  // namespace

std::optional<fs::path> ProjectFolderOf(const fs::path& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        return IsProjectFileName(UpperAscii(PathText(path.filename()))) ? std::optional(path.parent_path()) : std::nullopt;
    if (!fs::is_directory(path, ec)) return std::nullopt;
    if (FindNameIgnoringCase(AddTrailingBackslash(PathText(path)), "PRJDATA.ZDT")) return path;
    return std::nullopt;
}

std::vector<fs::path> ProjectFoldersBelow(const fs::path& root, std::vector<std::string>* entryErrors) {
    struct Collector : DirectoryVisitor {
        std::vector<fs::path> folders;
        void VisitFile(const std::string& dir, const std::string& name) override {
            if (UpperAscii(name) != "PRJDATA.ZDT") return;
            fs::path folder = PathFromText(dir).parent_path();
            if (folders.empty() || folders.back() != folder) folders.push_back(folder);
        }
    } collector;
    WalkDirectory(AddTrailingBackslash(PathText(root)), collector);
    if (entryErrors) *entryErrors = collector.entryErrors;
    return collector.folders;
}

std::string ArchiveFileName(const std::string& folder, const std::string& projectName, const std::string& date) {
    std::string name = ProjectNameForFile(folder);
    if (!projectName.empty()) name += "_" + ProjectNameForFile(projectName);
    return name + "_" + date + ".tar";
}

ArchiveResult ArchiveProject(const fs::path& projectFolder, const fs::path& targetFolder, const ArchiveOptions& options,
                             Dialogs& dialogs, const ArchiveProgress& report) {
    if (options.flacLevel < 0 || options.flacLevel > 8)
        throw ArchiveError(CliText::ArchiveLevelRange, {std::to_string(options.flacLevel)});
    auto folder = ProjectFolderOf(projectFolder);
    if (!folder) throw ArchiveError(CliText::ArchiveNoProjectFile, {PathText(projectFolder)});
    fs::path source = fs::absolute(*folder).lexically_normal();
    if (!source.has_filename()) source = source.parent_path();
    std::error_code ec;
    if (!fs::is_directory(targetFolder, ec)) throw FileError::For(FileStep::Write, targetFolder,
                                                                  std::make_error_code(std::errc::no_such_file_or_directory));
    fs::path target = fs::absolute(targetFolder).lexically_normal();
    auto [inside, rest] = std::mismatch(source.begin(), source.end(), target.begin(), target.end());
    if (inside == source.end()) throw ArchiveError(CliText::ArchiveIntoProject, {PathText(target)});

    ArchiveResult result;
    ArchiveManifest& m = result.manifest;
    m.created = UtcNowText();
    m.folder = PathText(source.filename());
    m.model = options.model;
    m.flacLevel = options.flacLevel;
    std::string projectFile = *FindNameIgnoringCase(AddTrailingBackslash(PathText(source)), "PRJDATA.ZDT");
    m.projectFile = projectFile;
    Bytes project = ReadWholeFile(source / projectFile);
    m.project = ReadProjectName(project);
    m.bitDepth = project.size() > layout::RecordingDepthOffset ? project[layout::RecordingDepthOffset] * 8 + 16 : 16;
    for (int strip = 0; strip < layout::TrackCount; ++strip) {
        std::string wav = ReadWavName(project, layout::WavNameOffset(strip));
        if (!wav.empty()) m.tracks.push_back({strip + 1, wav, StatusText(ReadTrackStatus(project, strip))});
    }
    std::string master = ReadWavName(project, layout::MasterWavNameOffset);
    if (!master.empty()) m.tracks.push_back({0, master, ""});
    m.marks = ListMarks(project);

    // The files: regular files below the folder; hidden names (temporary
    // files of a save) and the info file (it names its own path) stay out.
    std::vector<PackedFile> files;
    for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = PathText(it->path().filename());
        std::string relative = it->path().lexically_relative(source).generic_string();
        if (!name.empty() && name[0] == '.') {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (it->is_symlink()) {
            result.skipped.push_back(CliTxt(CliText::ArchiveSkippedLink, {relative}));
            continue;
        }
        if (it->is_directory()) continue;
        if (!it->is_regular_file()) {
            result.skipped.push_back(CliTxt(CliText::ArchiveSkippedNoFile, {relative}));
            continue;
        }
        if (it.depth() == 0 && IsInfoFileName(name)) {
            m.infoFile = true;
            continue;
        }
        PackedFile file;
        file.record.path = relative;
        file.source = it->path();
        file.mtime = ModificationTime(it->path());
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(), [](const PackedFile& a, const PackedFile& b) { return a.record.path < b.record.path; });

    std::string date = options.date.empty() ? TodayText() : options.date;
    fs::path archivePath = target / ArchiveFileName(m.folder, m.project, date);
    if (fs::exists(archivePath, ec)) {
        int answer = dialogs.Message(UiTxt(UiText::ArchiveExists, PathText(archivePath)), MessageButtons::YesNoCancel);
        if (answer == ResultCancel) throw SilentAbort();
        if (answer != ResultYes) return result;
    }

    std::uint64_t total = 0;
    for (PackedFile& file : files) total += fs::file_size(file.source);
    ProgressCounter progress(report, total * 2);
    for (PackedFile& file : files) {
        SampleLayout layout;
        if (IsWavName(PathText(file.source.filename()))) layout = LocateSamples(file.source);
        if (IsWavName(PathText(file.source.filename())) && layout.storeRawReason.empty()) {
            PackFlac(file, layout, options.flacLevel, TempNameBeside(archivePath), progress);
        } else {
            file.record.rawReason = IsWavName(PathText(file.source.filename())) ? layout.storeRawReason : "";
            file.record.sha256 = HashFile(file.source, &progress, &file.record.size);
        }
        file.record.size = file.record.storage == FileStorage::Flac
                               ? file.record.prefixBytes + file.record.sampleBytes + file.record.suffixBytes
                               : file.record.size;
        result.originalBytes += file.record.size;
        m.files.push_back(file.record);
    }

    TempFile out;
    if (auto error = out.Create(archivePath)) throw FileError::For(FileStep::Write, archivePath, error);
    {
        TarWriter tar(out);
        std::string json = ManifestToJson(m);
        std::time_t now = std::time(nullptr);
        WriteBytesEntry(tar, ManifestEntryName, std::vector<std::uint8_t>(json.begin(), json.end()), now);
        for (PackedFile& file : files) {
            std::vector<std::string> names = ArchiveManifest::EntryNames(m.folder, file.record);
            if (file.record.storage == FileStorage::Raw) {
                WriteFileEntry(tar, names[0], file.source, file.record.size, file.record.sha256, file.mtime);
                continue;
            }
            WriteBytesEntry(tar, names[0], file.prefix, file.mtime);
            file.flac->CloseChecked(false);  // scratch: read back at once, never kept
            std::uint64_t flacSize = fs::file_size(file.flac->path());
            WriteFileEntry(tar, names[1], file.flac->path(), flacSize, "", file.mtime);
            file.flac.reset();
            WriteBytesEntry(tar, names[2], file.suffix, file.mtime);
        }
        tar.Close();
    }
    if (auto error = out.Close()) throw FileError::For(FileStep::Write, archivePath, error);

    // Proof before success: the archive as written decodes to every original byte.
    result.archiveBytes = fs::file_size(out.TempPath());
    std::uint64_t verified = 0;
    ReadArchive(out.TempPath(), {}, true, [&](std::uint64_t done, std::uint64_t) {
        progress.Add(done - verified);
        verified = done;
        return true;
    });
    if (!out.MoveOntoTarget(true, ec)) throw FileError::For(FileStep::Write, archivePath, ec);
    result.archive = archivePath;

    if (options.removeAfter) {
        // Away from the walks' sight first (one rename), then gone.
        fs::path doomed = TempNameBeside(source);
        fs::rename(source, doomed, ec);
        if (ec) throw FileError::For(FileStep::Remove, source, ec);
        fs::remove_all(doomed, ec);
        if (ec) throw FileError::For(FileStep::Remove, doomed, ec);
        result.removed = true;
    }
    return result;
}

ArchiveManifest ReadArchiveManifest(const fs::path& archive) {
    TarReader reader(archive);
    return ReadManifestEntry(reader, archive);
}

ArchiveManifest VerifyArchive(const fs::path& archive, const ArchiveProgress& progress) {
    return ReadArchive(archive, {}, true, progress);
}

int NextFreeProjectNumber(const fs::path& cardRoot) {
    std::set<int> taken;
    std::error_code ec;
    for (fs::directory_iterator it(cardRoot, ec), end; !ec && it != end; it.increment(ec))
        if (auto number = ProjectNumberOf(PathText(it->path().filename()))) taken.insert(*number);
    if (ec) throw FileError::For(FileStep::Read, cardRoot, ec);
    for (int number = 1; number <= 999; ++number)
        if (!taken.count(number)) return number;
    throw ArchiveError(CliText::ArchiveNoFreeNumber, {PathText(cardRoot)});
}

std::string ProjectFolderName(const fs::path& cardRoot, int number) {
    bool anyUpper = false, anyLower = false;
    std::error_code ec;
    for (fs::directory_iterator it(cardRoot, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = PathText(it->path().filename());
        if (!ProjectNumberOf(name)) continue;
        (name.substr(0, 4) == "proj" ? anyLower : anyUpper) = true;
    }
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return std::string(anyLower && !anyUpper ? "proj" : "PROJ") + digits;
}

RestoreResult RestoreArchive(const fs::path& archive, const fs::path& cardRoot, const RestoreOptions& options,
                             Dialogs& dialogs, const ArchiveProgress& progress) {
    RestoreResult result;
    result.manifest = ReadArchiveManifest(archive);
    std::error_code ec;
    if (!fs::is_directory(cardRoot, ec))
        throw FileError::For(FileStep::Write, cardRoot, std::make_error_code(std::errc::no_such_file_or_directory));
    if (options.number && (*options.number < 1 || *options.number > 999))
        throw ArchiveError(CliText::ArchiveNumberRange, {std::to_string(*options.number)});
    int number = options.number ? *options.number : NextFreeProjectNumber(cardRoot);
    // An existing folder of that number in another letter case is the same project.
    std::string name = ProjectFolderName(cardRoot, number);
    if (auto existing = FindNameIgnoringCase(AddTrailingBackslash(PathText(cardRoot)), name)) name = *existing;
    fs::path folder = cardRoot / name;
    bool replace = fs::exists(fs::symlink_status(folder, ec));
    if (replace) {
        int answer = dialogs.Message(UiTxt(UiText::RestoreExists, PathText(folder)), MessageButtons::YesNoCancel);
        if (answer == ResultCancel) throw SilentAbort();
        if (answer != ResultYes) return result;
    }

    TemporaryFolder temp(TempNameBeside(folder));
    std::vector<std::unique_ptr<DiskSink>> sinks;
    ReadArchive(archive,
                [&](const ArchivedFile& file) -> FileSink* {
                    fs::path path = temp.path() / fs::path(file.path);
                    fs::create_directories(path.parent_path(), ec);
                    if (ec) throw FileError::For(FileStep::CreateFolder, path.parent_path(), ec);
                    sinks.push_back(std::make_unique<DiskSink>(path, false));
                    return sinks.back().get();
                },
                true, progress);
    sinks.clear();
    // What the card holds now, read back, against the manifest.
    for (const ArchivedFile& file : result.manifest.files) {
        std::uint64_t size = 0;
        if (HashFile(temp.path() / fs::path(file.path), nullptr, &size) != file.sha256 || size != file.size)
            throw ArchiveError(CliText::ArchiveReadsBack, {NameText(file.path)});
    }
    const std::string& projectName = result.manifest.project;
    if ((result.manifest.infoFile || options.infoFile) && !projectName.empty() && IsSafeInfoFileProjectName(projectName)) {
        std::string projectFile = result.manifest.projectFile;
        std::string stem = projectFile.substr(0, projectFile.rfind('.'));
        std::string infoName = stem + "___" + projectName + "_NAME.TXT";
        WriteFileAtomically(temp.path() / infoName, PathText(folder / infoName) + "\r\n");
    }

    if (replace) {
        fs::path old = TempNameBeside(folder);
        fs::rename(folder, old, ec);
        if (ec) throw FileError::For(FileStep::Rename, folder, ec);
        fs::rename(temp.path(), folder, ec);
        if (ec) {
            std::error_code back;
            fs::rename(old, folder, back);
            throw FileError::For(FileStep::Rename, folder, ec);
        }
        temp.Keep();
        fs::remove_all(old, ec);
    } else {
        fs::rename(temp.path(), folder, ec);
        if (ec) throw FileError::For(FileStep::CreateFolder, folder, ec);
        temp.Keep();
    }
    result.folder = folder;
    return result;
}

fs::path ExtractFromArchive(const fs::path& archive, const std::string& which, const fs::path& targetFolder,
                            bool asFlac) {
    ArchiveManifest manifest = ReadArchiveManifest(archive);
    std::string wanted = which;
    std::string upper = UpperAscii(which);
    bool byTrack = upper == "MASTER" || (!which.empty() && std::all_of(which.begin(), which.end(), [](char c) {
                                             return c >= '0' && c <= '9';
                                         }));
    if (byTrack) {
        int track = upper == "MASTER" ? 0 : std::stoi(which.size() > 3 ? "999" : which);
        auto it = std::find_if(manifest.tracks.begin(), manifest.tracks.end(),
                               [&](const ArchivedTrack& t) { return t.track == track; });
        if (it == manifest.tracks.end()) throw ArchiveError(CliText::ArchiveNoTrackFile, {which});
        wanted = it->wav;
    }
    // A plain WAV name means the one in AUDIO; a path is taken as it is.
    const ArchivedFile* found = nullptr;
    for (const ArchivedFile& file : manifest.files) {
        std::string path = UpperAscii(file.path);
        if (path == UpperAscii(wanted) || path == "AUDIO/" + UpperAscii(wanted)) found = &file;
    }
    if (!found) throw ArchiveError(CliText::ArchiveNoSuchFile, {NameText(wanted)});
    if (asFlac && found->storage != FileStorage::Flac)
        throw ArchiveError(CliText::ArchiveStoredRaw, {NameText(found->path), found->rawReason});
    std::error_code ec;
    if (!fs::is_directory(targetFolder, ec))
        throw FileError::For(FileStep::Write, targetFolder, std::make_error_code(std::errc::no_such_file_or_directory));
    fs::path name = fs::path(found->path).filename();
    fs::path target = targetFolder / (asFlac ? fs::path(name.string() + ".flac") : name);
    if (fs::exists(fs::symlink_status(target, ec))) throw FileError::For(FileStep::Write, target, std::make_error_code(std::errc::file_exists));
    fs::path temp = TempNameBeside(target);
    std::unique_ptr<DiskSink> sink;
    ReadArchive(archive,
                [&](const ArchivedFile& file) -> FileSink* {
                    if (&file != found && file.path != found->path) return nullptr;
                    sink = std::make_unique<DiskSink>(temp, asFlac);
                    return sink.get();
                },
                false, {});
    sink.reset();
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError::For(FileStep::Write, target, ec);
    }
    return target;
}

}  // namespace spurwerk
