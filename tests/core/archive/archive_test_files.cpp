#include "archive_test_files.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "test_files.h"

namespace spurwerk::testing {

Bytes NoiseBytes(std::size_t count, std::uint32_t seed) {
    Bytes bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24 & 0x3F);  // quiet noise: compresses a little
    }
    return bytes;
}

Bytes BuildWav(const ArchiveWavShape& s) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(s.channels * s.bits / 8);
    const std::uint64_t dataBytes = std::uint64_t{s.frames} * blockAlign;
    Bytes fmt;
    PutText(fmt, "fmt ");
    PutLong(fmt, s.formatTag == 0xFFFE ? 40 : 16);
    PutWord(fmt, s.formatTag);
    PutWord(fmt, s.channels);
    PutLong(fmt, s.rate);
    PutLong(fmt, s.rate * blockAlign);
    PutWord(fmt, blockAlign);
    PutWord(fmt, s.bits);
    if (s.formatTag == 0xFFFE) {
        PutWord(fmt, 22);
        PutWord(fmt, s.bits);
        PutLong(fmt, s.channels == 2 ? 3 : 4);
        PutWord(fmt, s.subFormat);
        PutText(fmt, std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14));
    }
    Bytes body;
    PutText(body, "WAVE");
    if (s.rf64) {
        PutText(body, "ds64");
        PutLong(body, 28);
        for (std::uint64_t v : {std::uint64_t{0}, dataBytes, std::uint64_t{s.frames}}) {
            PutLong(body, static_cast<std::uint32_t>(v));
            PutLong(body, static_cast<std::uint32_t>(v >> 32));
        }
        PutLong(body, 0);
    }
    body.insert(body.end(), fmt.begin(), fmt.end());
    for (const Bytes& c : s.before) body.insert(body.end(), c.begin(), c.end());
    PutText(body, "data");
    PutLong(body, s.rf64 ? 0xFFFFFFFFu
                         : static_cast<std::uint32_t>(s.claimedDataBytes >= 0 ? s.claimedDataBytes
                                                                               : static_cast<std::int64_t>(dataBytes)));
    std::size_t present = s.presentDataBytes >= 0 ? static_cast<std::size_t>(s.presentDataBytes) : dataBytes;
    Bytes samples = NoiseBytes(std::max<std::size_t>(present, dataBytes), s.frames + s.bits);
    if (s.formatTag != 3 && s.subFormat != 3 && (s.bits == 16 || s.bits == 24)) {
        // A tone with a little noise, as a recording is: FLAC has something to gain.
        const std::size_t width = s.bits / 8u;
        for (std::size_t i = 0; i * width < dataBytes; ++i) {
            auto value = static_cast<std::int32_t>(6000.0 * std::sin(0.01 * static_cast<double>(i / s.channels) *
                                                                     static_cast<double>(i % s.channels + 1))) +
                         (samples[i * width] & 15) - 8;
            if (width == 3) value *= 256;
            for (std::size_t b = 0; b < width; ++b)
                samples[i * width + b] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * b));
        }
    }
    samples.resize(present);
    body.insert(body.end(), samples.begin(), samples.end());
    if (present % 2 && s.presentDataBytes < 0) body.push_back(0);  // pad byte of an odd chunk
    for (const Bytes& c : s.after) body.insert(body.end(), c.begin(), c.end());
    Bytes wav;
    PutText(wav, s.rf64 ? "RF64" : "RIFF");
    PutLong(wav, s.rf64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(body.size()));
    wav.insert(wav.end(), body.begin(), body.end());
    return wav;
}

void RewriteTar(const std::filesystem::path& in, const std::filesystem::path& out,
                const std::function<void(std::vector<TarEntry>&)>& change) {
    std::vector<TarEntry> entries;
    archive* r = archive_read_new();
    archive_read_support_format_tar(r);
    ASSERT_EQ(archive_read_open_filename(r, in.c_str(), 65536), ARCHIVE_OK);
    archive_entry* entry = nullptr;
    while (archive_read_next_header(r, &entry) == ARCHIVE_OK) {
        TarEntry e;
        e.name = archive_entry_pathname(entry);
        e.data.resize(static_cast<std::size_t>(archive_entry_size(entry)));
        if (!e.data.empty()) archive_read_data(r, e.data.data(), e.data.size());
        entries.push_back(std::move(e));
    }
    archive_read_free(r);
    change(entries);
    archive* w = archive_write_new();
    archive_write_set_format_pax_restricted(w);
    archive_write_set_format_option(w, "pax", "hdrcharset", "BINARY");
    ASSERT_EQ(archive_write_open_filename(w, out.c_str()), ARCHIVE_OK);
    for (const TarEntry& e : entries) {
        archive_entry* h = archive_entry_new();
        archive_entry_copy_pathname(h, e.name.c_str());
        if (e.symlink) {
            archive_entry_set_filetype(h, AE_IFLNK);
            archive_entry_copy_symlink(h, e.linkTarget.c_str());
            archive_entry_set_size(h, 0);
        } else {
            archive_entry_set_filetype(h, AE_IFREG);
            archive_entry_set_size(h, static_cast<la_int64_t>(e.data.size()));
        }
        archive_entry_set_perm(h, 0644);
        archive_write_header(w, h);
        if (!e.symlink && !e.data.empty()) archive_write_data(w, e.data.data(), e.data.size());
        archive_entry_free(h);
    }
    archive_write_close(w);
    archive_write_free(w);
}

std::vector<std::pair<std::string, Bytes>> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::pair<std::string, Bytes>> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            files.emplace_back(e.path().lexically_relative(folder).generic_string(), ReadBytes(e.path()));
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace spurwerk::testing
