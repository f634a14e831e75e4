// Writes the seed corpus of the fuzz targets from our own generators: the
// demo card's projects and effects files, fresh project documents, short
// silent WAVs, settings, language and history files written by the core, and
// project list lines built from the demo card.
//
//     fuzz_seeds <corpus folder>     (one subfolder per target)

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "demo_card.h"
#include "effects_file.h"
#include "files/list_line.h"
#include "io/path_text.h"
#include "fuzz_support.h"
#include "fuzz_windows.h"
#include "new_project.h"
#include "settings/input_history.h"
#include "settings/language_file.h"
#include "settings/options_file.h"
#include "wav_writer.h"

using namespace spurwerk;
namespace fs = std::filesystem;

namespace {

void Put(const fs::path& folder, const std::string& name, const Bytes& data) {
    fs::create_directories(folder);
    WriteFileAtomically(folder / name, data);
}

Bytes Concat(std::uint8_t first, const Bytes& rest) {
    Bytes out{first};
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

void ProjectSeeds(const fs::path& card, const fs::path& out) {
    for (const char* project : {"PROJ001", "PROJ002", "PROJ003"})
        Put(out, std::string(project) + ".ZDT", ReadWholeFile(card / project / "PRJDATA.ZDT"));
    Put(out, "new16.ZDT", gen::NewProjectDocument("NEW16", 16).ZDTData());
    Put(out, "new24.ZDT", gen::NewProjectDocument("NEW24", 24).ZDTData());
    Bytes shortest = gen::NewProjectDocument("SHORT").ZDTData();
    shortest.resize(MinProjectDataSize);
    Put(out, "shortest.ZDT", shortest);
    shortest.resize(60);
    Put(out, "name-only.ZDT", shortest);
}

void EffectSeeds(const fs::path& card, const fs::path& out) {
    // The first byte is the project's insert position.
    Put(out, "proj001.efx", Concat(0, ReadWholeFile(card / "PROJ001" / "EFXDATA.ZDT")));
    Put(out, "proj002.efx", Concat(3, ReadWholeFile(card / "PROJ002" / "EFXDATA.ZDT")));
    gen::EffectsSetup setup;
    setup.insertOff = false;
    setup.insertNumber = 7;
    setup.insertName = "Compress";
    setup.reverbName = "";
    Bytes efx = gen::BuildEffectsFile(setup);
    Put(out, "insert-on.efx", Concat(17, efx));
    efx.resize(240);
    Put(out, "short.efx", Concat(1, efx));
}

void WavSeeds(const fs::path& out) {
    struct Seed {
        const char* name;
        gen::SilentWav format;
    };
    const Seed seeds[] = {
        {"mono16.WAV", {1, 16, 44100, 10, false}},
        {"stereo24.WAV", {2, 24, 44100, 10, false}},
        {"list.WAV", {1, 16, 44100, 10, true}},
        {"rate48k.WAV", {2, 16, 48000, 5, true}},
    };
    for (const Seed& seed : seeds) Put(out, seed.name, gen::BuildSilentWav(seed.format));
    Bytes header = gen::BuildSilentWav({1, 16, 44100, 10, false});
    header.resize(44);
    Put(out, "header-only.WAV", header);
}

void IniSeeds(const fs::path& work, const fs::path& out) {
    fuzz::SilentDialogs dialogs;
    for (bool tags : {false, true}) {
        fs::path file = work / (tags ? "Tagged.INI" : "Plain.INI");
        CommentedIni ini;
        ini.AddTypeTags = tags;
        OptionsFile options(ini, dialogs, work.string());
        MainOptions main;
        main.BaseDirSearch = "C:\\ZOOM\\R16";
        ProjSerieOptions series;
        FileListOptions list;
        GeneralInfoOptions info;
        options.LoadSaveIniFile(file.string(), true, {&main, &series, &list, &info}, false);
        Put(out, file.filename().string(), ReadWholeFile(file));
    }
    Put(out, "handmade.INI",
        Bytes{'[', 'o', 'p', 't', 'i', 'o', 'n', 's', ']', '\r', '\n', ' ', 'A', 'c', 't', 'M', 'a', 'x', 'T', 'r',
              'a', 'c', 'k', 'I', 'd', 'x', ' ', '=', ' ', '"', '$', '1', '8', '"', ' ', '/', '/', ' ', 'I', 'N',
              'T', 'E', 'G', 'E', 'R', '\r', '\n', ';', 0xE4, '\r', '\n'});
}

void LanguageSeeds(const fs::path& work, const fs::path& out) {
    fuzz::SilentDialogs dialogs;
    std::vector<GuiForm> windows = fuzz::LanguageWindows();
    std::vector<GuiForm*> forms;
    for (GuiForm& form : windows) forms.push_back(&form);
    fs::path file = work / "Spurwerk_GUI_Seed.INI";
    WriteFileAtomically(file, std::string("; Spurwerk\r\n"));  // only an existing language file is written
    LoadSaveLanguage(true, file.string(), forms, dialogs);
    Put(out, "german.INI", ReadWholeFile(file));
}

void HistorySeeds(const fs::path& card, const fs::path& work, const fs::path& out) {
    fs::path file = work / "Seed.HIS";
    InputHistory history;
    for (const char* project : {"PROJ003", "PROJ002", "PROJ001"})
        history.AddToHistory(PathText(card / project / "PRJDATA.ZDT"), file.string());
    history.AddToHistory("%TEMP%\\PRJDATA.ZDT", file.string());
    Put(out, "card.HIS", ReadWholeFile(file));
    // Windows-1252 from another installation: "Übung" and "Grüße".
    Put(out, "cp1252.HIS", Bytes{0xDC, 'b', 'u', 'n', 'g', '\r', '\n', 'G', 'r', 0xFC, 0xDF, 'e', '\r', '\n'});
}

void ListSeeds(const fs::path& card, const fs::path& out) {
    ZDTDocument doc;
    TrackSummaryOptions summary{true, {"Status", "FileAss", "Fader"}, 8};
    ListLineOptions options;
    options.useTrackInfos = true;
    options.trackInfos = summary;
    std::string lines;
    for (const char* project : {"PROJ001", "PROJ002", "PROJ003"}) {
        std::string file = PathText(card / project / "PRJDATA.ZDT");
        ProjectNameInfo info = GetZDTProjectName(doc, file, true, &summary);
        lines += BuildListLine(AddTrailingBackslash(PathText(card / project)), "PRJDATA.ZDT", &info, options) + "\n";
        lines += BuildListLine(AddTrailingBackslash(PathText(card / project / "AUDIO")), "TRACK01.WAV", nullptr,
                               options) + "\n";
    }
    lines += "C:\\ZOOM\\PROJ009\\PRJDATA.ZDT ## (Projekt-Ende-Marke gesetzt)";
    Put(out, "demo-card.txt", Bytes(lines.begin(), lines.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds <corpus folder>\n";
        return 2;
    }
    try {
        fs::path corpus = argv[1];
        fs::path work = fs::temp_directory_path() / "spurwerk-fuzz-seeds";
        fs::remove_all(work);
        fs::path card = work / "card";
        gen::WriteDemoCard(card);
        ProjectSeeds(card, corpus / "project_document");
        EffectSeeds(card, corpus / "effect_labels");
        WavSeeds(corpus / "wav_header");
        WavSeeds(corpus / "sample_reader");
        IniSeeds(work, corpus / "ini_file");
        LanguageSeeds(work, corpus / "language_file");
        HistorySeeds(card, work, corpus / "history_file");
        ListSeeds(card, corpus / "list_sort");
        fs::remove_all(work);
    } catch (const std::exception& e) {
        std::cerr << "fuzz_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
