// A settings file from anywhere: the INI layer (sections and keys found in the
// text, read as strings and integers, written back) and the commented typed
// values through the options file, loaded, saved and loaded again.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/commented_ini.h"
#include "settings/ini_file.h"
#include "settings/options_file.h"

using namespace spurwerk;

namespace {

struct NameProbe {
    std::vector<std::string> sections{"Options"};
    std::vector<std::pair<std::string, std::string>> keys;
};

// Section and key names as the text spells them, so lookups hit something.
NameProbe Probe(const std::vector<std::string>& lines) {
    NameProbe probe;
    for (const std::string& line : lines) {
        if (probe.keys.size() >= 16) break;
        if (!line.empty() && line.front() == '[') {
            probe.sections.push_back(line.substr(1, line.find(']') - 1));
        } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
            probe.keys.emplace_back(probe.sections.back(), line.substr(0, eq));
        }
    }
    return probe;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFile("Spurwerk.INI");
    static fuzz::SilentDialogs dialogs;
    fuzz::WriteScratch(file, data, size);

    {
        IniFile ini(file);
        NameProbe probe = Probe(ini.Lines());
        for (const auto& [section, key] : probe.keys) {
            (void)ini.SectionExists(section);
            std::string value = ini.ReadString(section, key, "-");
            (void)ini.ReadInteger(section, key, -1);
            std::string text, comment;
            SplitCommentedValue(value, text, comment);
            (void)CommentNamedType(comment);
            (void)CommentedLineValue(key, text, comment, 40);
            ini.WriteString(section, key, text + "1");
        }
        ini.WriteInteger("Fuzz", "Count", static_cast<int>(size));
        ini.Flush();
    }

    CommentedIni commented;
    commented.AddTypeTags = size % 2 == 1;
    OptionsFile options(commented, dialogs, file.parent_path().string());
    MainOptions main;
    ProjSerieOptions series;
    FileListOptions list;
    GeneralInfoOptions info;
    OptionsWindows windows{&main, &series, &list, &info};
    for (bool doSave : {false, true, false}) (void)options.LoadSaveIniFile(file.string(), doSave, windows, false);
    return 0;
}
