#pragma once
// A mixer view-model on a project in a scratch folder, loaded the way the
// program loads one, with scripted dialogs and an observer that counts changes.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mixer/mixer_view_model.h"
#include "project/document_ops.h"
#include "scripted_dialogs.h"
#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk::testing {

struct CountingObserver : MixerObserver {
    std::map<std::string, int> valueChanges;
    int fitWidth = 0;
    void ControlChanged(const MixerControl& control, unsigned aspects) override {
        if (aspects & AspectValue) ++valueChanges[control.name];
    }
    void FitWindow(int width) override { fitWidth = width; }
};

// Every call into the main window, as a word.
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
    void ShowTrackView() override { calls.push_back("trackview"); }
    void CreateMissingWavFiles(const std::string&, bool reportFirst) override {
        calls.push_back(reportFirst ? "create after report" : "create");
    }
    void ShowProjectName(const std::string& name) override { calls.push_back("name " + name); }
};

class MixerTest : public ::testing::Test {
protected:
    TempDir dir;
    ProjectSession session;
    ZDTDocument& doc = session.doc;
    ScriptedDialogs dialogs;
    CountingObserver observer;
    RecordingActions actions;
    std::unique_ptr<MixerViewModel> mixer;

    std::filesystem::path ProjectFile() const { return dir / "PRJDATA.ZDT"; }
    std::filesystem::path Audio() const { return dir / "AUDIO"; }

    // The recorder's blank project with these names on tracks 1.. ("" = none).
    static Bytes Named(std::vector<std::string> wavNames, std::string master = "") {
        return ProjectBytes({.name = "", .wavNames = std::move(wavNames), .masterWav = std::move(master),
                             .deviceDefaults = true, .size = 3400});
    }

    void Create(MixerOptions options = {}) {
        mixer = std::make_unique<MixerViewModel>(session, dialogs, options, &actions);
        mixer->SetObserver(&observer);
        session.SetHost(mixer.get());
    }

    // Writes the bytes as PRJDATA.ZDT and loads them as the program does.
    void Load(const Bytes& data) {
        if (!mixer) Create();
        std::filesystem::create_directories(Audio());
        WriteBytes(ProjectFile(), data);
        session.ZDTFileToLoad = ProjectFile().string();
        DocumentContext context{session, dialogs, ""};
        ASSERT_TRUE(LoadZDTFile(context, false));
    }

    void QuickSave() {
        DocumentContext context{session, dialogs, ""};
        ASSERT_TRUE(QuickSaveLoadedZDTFile(context, session.LoadedZDTFileName, 100));
    }

    const MixerControl& C(const std::string& name) const { return mixer->Controls().Control(name); }
    // The colours of the named controls, in order.
    std::vector<Colour> Colours(std::initializer_list<const char*> names) const {
        std::vector<Colour> colours;
        for (const char* name : names) colours.push_back(C(name).colour);
        return colours;
    }
};

}  // namespace spurwerk::testing
