#pragma once
// Projects, WAV files and templates on disk for the project-file tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "io/path_text.h"
#include "files/project_files_context.h"
#include "project/track_layout.h"
#include "project/zdt_document.h"
#include "scripted_dialogs.h"
#include "test_files.h"

namespace spurwerk::testing {

namespace fs = std::filesystem;

struct ProjectSetup {
    std::string name = "SONG";
    std::vector<std::string> wavNames;  // tracks 1.. in order; "" = none
    std::string masterWav;
    bool bits24 = false;
    bool wet = false;
    std::vector<int> stereoStrips;      // even strip indices of linked pairs
    std::vector<std::int32_t> marks;
};

inline Bytes ProjectBytes(const ProjectSetup& setup) {
    ZDTDocument doc;
    doc.ZDTData.assign(MinProjectDataSize, 0);
    std::string name = setup.name;
    name.resize(8, '\0');
    doc.WriteZDTString(layout::ProjectNameOffset, name);
    for (std::size_t i = 0; i < setup.wavNames.size(); ++i)
        WriteWavName(doc, layout::WavNameOffset(static_cast<int>(i)), setup.wavNames[i]);
    if (!setup.masterWav.empty()) WriteWavName(doc, layout::MasterWavNameOffset, setup.masterWav);
    doc.WriteZDTByte(layout::RecordingDepthOffset, setup.bits24 ? 1 : 0);
    doc.WriteZDTByte(layout::InsertRecordingFlagOffset, setup.wet ? 1 : 0);
    for (int strip : setup.stereoStrips) WriteStereoLink(doc, strip, true);
    for (std::size_t i = 0; i < setup.marks.size(); ++i)
        doc.WriteZDTLong(layout::MarkTableOffset + layout::MarkSlotSize * i, static_cast<std::uint32_t>(setup.marks[i]));
    doc.WriteZDTByte(layout::MarkCountOffset, static_cast<std::uint8_t>(setup.marks.size()));
    return doc.ZDTData;
}

// A PCM WAV file of the given length (silence).
inline Bytes WavBytes(std::uint32_t durationMs, std::uint16_t channels = 1, std::uint16_t bits = 16) {
    const std::uint32_t rate = 44100;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    const std::uint32_t dataSize = static_cast<std::uint32_t>(static_cast<std::uint64_t>(rate) * durationMs / 1000) *
                                   blockAlign;
    Bytes b;
    auto text = [&](const char* s) { b.insert(b.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    text("RIFF");
    u32(36 + dataSize);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(channels);
    u32(rate);
    u32(rate * blockAlign);
    u16(blockAlign);
    u16(bits);
    text("data");
    u32(dataSize);
    b.resize(b.size() + dataSize, 0);
    return b;
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A document with its dialogs, hosts and templates in a temp folder.
struct FilesFixture : ::testing::Test {
    FilesFixture() : host(doc, dialogs), document{doc, dialogs, host, ""}, context{document, host, {}} {
        fs::create_directories(dir / "templates");
        TemplateFiles& t = context.options.templates;
        auto make = [&](std::string& field, const std::string& name, const std::string& content) {
            field = (dir / "templates" / name).string();
            WriteBytes(field, TextBytes(content));
        };
        make(t.prjR16, "prj16.zdt", "P" + std::string(MinProjectDataSize - 1, '\0'));
        make(t.prjR24, "prj24.zdt", "Q" + std::string(MinProjectDataSize - 1, '\0'));
        make(t.efxR16, "efx16.zdt", "EFX16");
        make(t.efxR24, "efx24.zdt", "EFX24");
        make(t.wavMono16, "m16.wav", "MONO16");
        make(t.wavStereo16, "s16.wav", "STEREO16");
        make(t.wavMono24, "m24.wav", "MONO24");
        make(t.wavStereo24, "s24.wav", "STEREO24");
    }

    // Writes a project folder with PRJDATA.ZDT and the given WAV files in AUDIO.
    std::string MakeProject(const std::string& folder, const ProjectSetup& setup,
                            const std::vector<std::pair<std::string, std::uint32_t>>& wavs = {}) {
        fs::path path = dir / folder;
        fs::create_directories(path / "AUDIO");
        WriteBytes(path / "PRJDATA.ZDT", ProjectBytes(setup));
        for (const auto& [name, ms] : wavs) WriteBytes(path / "AUDIO" / name, WavBytes(ms));
        return NativePath((path / "PRJDATA.ZDT").string());
    }

    std::string Folder(const std::string& folder) const { return NativePath((dir / folder).string()) + PathSeparator(); }

    std::string AskedText(std::size_t i) const { return i < dialogs.asked.size() ? dialogs.asked[i].text : ""; }

    TempDir dir;
    ZDTDocument doc;
    ScriptedDialogs dialogs;
    DocumentOnlyHost host;
    DocumentContext document;
    ProjectFilesContext context;
};

}  // namespace spurwerk::testing
