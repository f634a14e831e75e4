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
#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk::testing {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A document with its dialogs, hosts and templates in a temp folder.
struct FilesFixture : ::testing::Test {
    FilesFixture() : host(doc, dialogs), document{session, dialogs, ""}, context{document, host, {}} {
        session.SetHost(&host);
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

    std::string Folder(const std::string& name) const { return NativePath((dir / name).string()) + PathSeparator(); }

    std::string AskedText(std::size_t i) const { return i < dialogs.asked.size() ? dialogs.asked[i].text : ""; }

    TempDir dir;
    ProjectSession session;
    ZDTDocument& doc = session.doc;
    ScriptedDialogs dialogs;
    DocumentOnlyHost host;
    DocumentContext document;
    ProjectFilesContext context;
};

}  // namespace spurwerk::testing
