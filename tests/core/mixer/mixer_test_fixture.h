#pragma once
// A mixer view-model on a project in a scratch folder, loaded the way the
// program loads one, with scripted dialogs and an observer that counts changes.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "mixer/mixer_view_model.h"
#include "project/document_ops.h"
#include "scripted_dialogs.h"
#include "test_files.h"

namespace spurwerk::testing {

struct CountingObserver : MixerObserver {
    std::map<std::string, int> valueChanges;
    int wavListBuilds = 0;
    int fitWidth = 0;
    void ControlChanged(const MixerControl& control, unsigned aspects) override {
        if (aspects & AspectValue) ++valueChanges[control.name];
    }
    void WavListChanged() override { ++wavListBuilds; }
    void FitWindow(int width) override { fitWidth = width; }
};

struct RecordingActions : MixerActions {
    std::vector<std::string> calls;
    void OpenProjectFile() override { calls.push_back("open"); }
    void SearchInSubDirs() override { calls.push_back("search"); }
    void QuickSave(const std::string& name, int ms) override {
        calls.push_back("quicksave " + name + " " + std::to_string(ms));
    }
    void SaveAsProject(int) override { calls.push_back("saveas"); }
    void CopyProject() override { calls.push_back("copy"); }
    void CreateSeries() override { calls.push_back("series"); }
    void SetEndMarksInSubDirs() override { calls.push_back("subdirs"); }
    void CreateMissingWavFiles(const std::string&, bool reportFirst) override {
        calls.push_back(reportFirst ? "create after report" : "create");
    }
};

// A project of 3400 zero bytes with the device's usual defaults on 16 tracks.
inline Bytes BlankProject() {
    Bytes data(3400, 0);
    for (int k = 0; k < 16; ++k) {
        data[layout::PanBase + 4 * k] = 50;
        for (int band = 0; band < 3; ++band) data[layout::BandBlock(k, band) + layout::BandGainOffset] = 12;
        data[layout::BandBlock(k, 0) + layout::BandFrequencyOffset] = 12;
        data[layout::BandBlock(k, 1) + layout::BandFrequencyOffset] = 14;
        data[layout::BandBlock(k, 1) + layout::BandQualityOffset] = 4;
        data[layout::BandBlock(k, 2) + layout::BandFrequencyOffset] = 5;
    }
    data[layout::PlayMaskOffset] = 0xFF;
    data[layout::PlayMaskOffset + 1] = 0xFF;
    return data;
}

// A WAV file of `ms` milliseconds of 16-bit mono silence at 1000 Hz.
inline void WriteWav(const std::filesystem::path& path, std::uint32_t ms) {
    std::uint32_t dataSize = ms * 2;
    Bytes b;
    auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
    auto put16 = [&](std::uint16_t v) { b.push_back(v & 0xFF); b.push_back(static_cast<std::uint8_t>(v >> 8)); };
    auto text = [&](const char* s) { for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(s[i])); };
    text("RIFF"); put32(36 + dataSize); text("WAVE");
    text("fmt "); put32(16); put16(1); put16(1); put32(1000); put32(2000); put16(2); put16(16);
    text("data"); put32(dataSize);
    b.resize(b.size() + dataSize, 0);
    WriteBytes(path, b);
}

class MixerTest : public ::testing::Test {
protected:
    TempDir dir;
    ZDTDocument doc;
    ScriptedDialogs dialogs;
    CountingObserver observer;
    RecordingActions actions;
    std::unique_ptr<MixerViewModel> mixer;

    std::filesystem::path ProjectFile() const { return dir / "PRJDATA.ZDT"; }
    std::filesystem::path Audio() const { return dir / "AUDIO"; }

    void Create(MixerOptions options = {}) {
        mixer = std::make_unique<MixerViewModel>(doc, dialogs, options, &actions);
        mixer->SetObserver(&observer);
    }

    // Writes the bytes as PRJDATA.ZDT and loads them as the program does.
    void Load(const Bytes& data, MixerOptions options = {}) {
        if (!mixer) Create(options);
        std::filesystem::create_directories(Audio());
        WriteBytes(ProjectFile(), data);
        doc.ZDTFileToLoad = ProjectFile().string();
        DocumentContext context{doc, dialogs, *mixer, ""};
        ASSERT_TRUE(LoadZDTFile(context, false));
    }

    const MixerControl& C(const std::string& name) const { return mixer->Controls().Control(name); }
};

}  // namespace spurwerk::testing
