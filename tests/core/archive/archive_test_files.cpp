#include "archive_test_files.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <cmath>

#include "test_files.h"

namespace spurwerk::testing {

Bytes BuildWav(const ArchiveWav& wav) {
    const WavShape& s = wav.shape;
    const std::size_t width = s.bits / 8u, dataBytes = std::size_t{wav.frames} * s.channels * width;
    Bytes samples = NoiseBytes(dataBytes, wav.frames + s.bits);
    if (!s.isFloat && (s.bits == 16 || s.bits == 24)) {
        for (std::size_t i = 0; i * width < dataBytes; ++i) {
            auto value = static_cast<std::int32_t>(6000.0 * std::sin(0.01 * static_cast<double>(i / s.channels) *
                                                                     static_cast<double>(i % s.channels + 1))) +
                         (samples[i * width] & 15) - 8;
            if (width == 3) value *= 256;
            for (std::size_t b = 0; b < width; ++b)
                samples[i * width + b] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * b));
        }
    }
    if (wav.presentBytes >= 0) samples.resize(static_cast<std::size_t>(wav.presentBytes));
    WavShape shape = s;
    shape.declaredDataSize = static_cast<std::int64_t>(dataBytes);
    return BuildWav(shape, samples);
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

}  // namespace spurwerk::testing
