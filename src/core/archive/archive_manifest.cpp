#include "archive/archive_manifest.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "text/text_encoding.h"
#include "archive/archive_error.h"

namespace spurwerk {

namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::string Unhex(const std::string& text) {
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    if (text.size() % 2) throw ArchiveError(CliText::ArchiveBadHex);
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int hi = value(text[i]), lo = value(text[i + 1]);
        if (hi < 0 || lo < 0) throw ArchiveError(CliText::ArchiveBadHex);
        bytes += static_cast<char>(hi << 4 | lo);
    }
    return bytes;
}

void PutName(Json& object, const char* key, const std::string& bytes) {
    object[key] = NameText(bytes);
    if (!IsValidUtf8(bytes)) object[std::string(key) + "Hex"] = Hex(bytes);
}

// A whole number that fits T: a fraction, a number out of T's range or a
// negative size is damage, where a plain get<T>() would convert it (a double
// out of range even undefinedly).
template <typename T>
T Whole(const Json& object, const char* key) {
    const Json& value = object.at(key);
    if (value.is_number_unsigned() && std::in_range<T>(value.get<std::uint64_t>()))
        return static_cast<T>(value.get<std::uint64_t>());
    if (value.is_number_integer() && !value.is_number_unsigned() && std::in_range<T>(value.get<std::int64_t>()))
        return static_cast<T>(value.get<std::int64_t>());
    throw ArchiveError(CliText::ArchiveManifestDamaged, {key});
}

std::string GetName(const Json& object, const char* key) {
    auto hex = object.find(std::string(key) + "Hex");
    if (hex != object.end()) return Unhex(hex->get<std::string>());
    return object.at(key).get<std::string>();
}

const char* StorageText(FileStorage storage) { return storage == FileStorage::Flac ? "flac" : "raw"; }

}  // namespace

std::string NameText(const std::string& cardBytes) {
    return IsValidUtf8(cardBytes) ? cardBytes : Windows1252ToUtf8(cardBytes);
}

bool IsSafeRelativePath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos ||
        path.find('\0') != std::string::npos || path.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> ArchiveManifest::EntryNames(const std::string& folder, const ArchivedFile& file) {
    std::string base = folder + "/" + file.path;
    if (file.storage == FileStorage::Raw) return {base};
    return {base + ".head", base + ".flac", base + ".tail"};
}

std::string ManifestToJson(const ArchiveManifest& m) {
    Json json;
    json["format"] = "spurwerk-archive";
    json["version"] = ManifestVersion;
    json["created"] = m.created;
    PutName(json, "folder", m.folder);
    PutName(json, "project", m.project);
    PutName(json, "projectFile", m.projectFile);
    json["model"] = m.model;
    json["bitDepth"] = m.bitDepth;
    json["flacLevel"] = m.flacLevel;
    json["infoFile"] = m.infoFile;
    json["checksum"] = "sha256";
    Json tracks = Json::array();
    for (const ArchivedTrack& t : m.tracks) {
        Json track;
        if (t.track == 0) track["track"] = "master";
        else track["track"] = t.track;
        PutName(track, "wav", t.wav);
        if (!t.status.empty()) track["status"] = t.status;
        tracks.push_back(track);
    }
    json["tracks"] = tracks;
    Json marks = Json::array();
    for (std::int32_t mark : m.marks) marks.push_back({{"ms", mark}});
    json["marks"] = marks;
    Json files = Json::array();
    for (const ArchivedFile& f : m.files) {
        Json file;
        PutName(file, "path", f.path);
        file["size"] = f.size;
        file["sha256"] = f.sha256;
        file["stored"] = StorageText(f.storage);
        if (!f.rawReason.empty()) file["why"] = f.rawReason;
        if (f.storage == FileStorage::Flac) {
            file["prefixBytes"] = f.prefixBytes;
            file["sampleBytes"] = f.sampleBytes;
            file["suffixBytes"] = f.suffixBytes;
            file["channels"] = f.format.channels;
            file["bitsPerSample"] = f.format.bitsPerSample;
            file["sampleRate"] = f.format.sampleRate;
        }
        files.push_back(file);
    }
    json["files"] = files;
    return json.dump(2) + "\n";
}

ArchiveManifest ManifestFromJson(const std::string& text) {
    ArchiveManifest m;
    try {
        Json json = Json::parse(text);
        if (json.at("format").get<std::string>() != "spurwerk-archive")
            throw ArchiveError(CliText::ArchiveNotSpurwerk);
        if (Whole<int>(json, "version") > ManifestVersion)
            throw ArchiveError(CliText::ArchiveNewer, {std::to_string(Whole<int>(json, "version"))});
        m.created = json.at("created").get<std::string>();
        m.folder = GetName(json, "folder");
        m.project = GetName(json, "project");
        m.projectFile = GetName(json, "projectFile");
        m.model = json.at("model").get<std::string>();
        m.bitDepth = Whole<int>(json, "bitDepth");
        m.flacLevel = Whole<int>(json, "flacLevel");
        m.infoFile = json.at("infoFile").get<bool>();
        for (const Json& t : json.at("tracks")) {
            ArchivedTrack track;
            track.track = t.at("track").is_string() ? 0 : Whole<int>(t, "track");
            track.wav = GetName(t, "wav");
            if (t.contains("status")) track.status = t.at("status").get<std::string>();
            m.tracks.push_back(track);
        }
        for (const Json& mark : json.at("marks")) m.marks.push_back(Whole<std::int32_t>(mark, "ms"));
        for (const Json& f : json.at("files")) {
            ArchivedFile file;
            file.path = GetName(f, "path");
            file.size = Whole<std::uint64_t>(f, "size");
            file.sha256 = f.at("sha256").get<std::string>();
            std::string stored = f.at("stored").get<std::string>();
            if (stored != "raw" && stored != "flac") throw ArchiveError(CliText::ArchiveUnknownStorage, {stored});
            file.storage = stored == "flac" ? FileStorage::Flac : FileStorage::Raw;
            if (f.contains("why")) file.rawReason = f.at("why").get<std::string>();
            if (file.storage == FileStorage::Flac) {
                file.prefixBytes = Whole<std::uint64_t>(f, "prefixBytes");
                file.sampleBytes = Whole<std::uint64_t>(f, "sampleBytes");
                file.suffixBytes = Whole<std::uint64_t>(f, "suffixBytes");
                file.format.channels = Whole<unsigned>(f, "channels");
                file.format.bitsPerSample = Whole<unsigned>(f, "bitsPerSample");
                file.format.sampleRate = Whole<unsigned>(f, "sampleRate");
                bool formatOk = file.format.channels >= 1 && file.format.channels <= 8 &&
                                (file.format.bitsPerSample == 16 || file.format.bitsPerSample == 24);
                // Each part within the size first, so that the sum cannot wrap.
                if (!formatOk || file.prefixBytes > file.size || file.sampleBytes > file.size ||
                    file.suffixBytes > file.size || file.prefixBytes + file.sampleBytes + file.suffixBytes != file.size ||
                    file.sampleBytes % file.format.FrameBytes() != 0)
                    throw ArchiveError(CliText::ArchivePartsDiffer, {NameText(file.path)});
            }
            if (!IsSafeRelativePath(file.path))
                throw ArchiveError(CliText::ArchivePathOutsideProject, {NameText(file.path)});
            m.files.push_back(file);
        }
    } catch (const nlohmann::json::exception& e) {
        throw ArchiveError(CliText::ArchiveManifestDamaged, {e.what()});
    }
    if (!IsSafeRelativePath(m.folder) || m.folder.find('/') != std::string::npos)
        throw ArchiveError(CliText::ArchiveFolderOutsideTarget, {NameText(m.folder)});
    if (!IsSafeRelativePath(m.projectFile) || m.projectFile.find('/') != std::string::npos)
        throw ArchiveError(CliText::ArchiveBadProjectFile);
    return m;
}

}  // namespace spurwerk
