// A settings file from anywhere: the INI layer (sections and keys found in the
// text, read as strings and integers, written back) and the commented typed
// values through the options file, loaded, saved and loaded again.

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/commented_ini.h"
#include "settings/ini_file.h"
#include "settings/options_file.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentDialogs dialogs;
    const std::string file = fuzz::WriteScratch("Spurwerk.INI", data, size);
    {
        IniFile ini(file);
        const std::vector<std::string> lines = ini.Lines();  // the writes below change them
        std::string section = "Options";
        int keys = 0;
        // Section and key names as the text spells them, so lookups hit something.
        for (std::size_t i = 0; i < lines.size() && keys < 16; ++i) {
            const std::string& line = lines[i];
            std::size_t eq = line.find('=');
            if (!line.empty() && line.front() == '[') section = line.substr(1, line.find(']') - 1);
            if (line.empty() || line.front() == '[' || eq == std::string::npos) continue;
            ++keys;
            const std::string key = line.substr(0, eq);
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
    OptionsFile options(commented, dialogs, std::filesystem::path(file).parent_path().string());
    MainOptions main;
    ProjSerieOptions series;
    FileListOptions list;
    GeneralInfoOptions info;
    for (bool doSave : {false, true, false})
        (void)options.LoadSaveIniFile(file, doSave, {&main, &series, &list, &info}, false);
    return 0;
}
