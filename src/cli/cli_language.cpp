#include "cli_language.h"

#include <filesystem>

#include "cli_dialogs.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/cli_texts.h"
#include "settings/environment_text.h"
#include "settings/ini_file.h"
#include "settings/language_choice.h"
#include "settings/language_file.h"
#include "settings/side_files.h"
#include "settings/text_table.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace spurwerk::cli {

namespace fs = std::filesystem;

std::string ProgramDir() {
#ifdef _WIN32
    wchar_t buffer[32768];
    DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    fs::path program(std::wstring(buffer, length));
#else
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "";
#endif
    return AddTrailingBackslash(PathText(program.parent_path()));
}

std::string LanguageOption(const std::vector<std::string>& arguments) {
    const std::string prefix = "--lang=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") break;
        if (arguments[i] == "--lang" && i + 1 < arguments.size()) return arguments[i + 1];
        if (arguments[i].rfind(prefix, 0) == 0) return arguments[i].substr(prefix.size());
    }
    return "";
}

void UseCliLanguage(const std::string& option) {
    const std::string dir = ProgramDir();
    // The window program's side files: its language files lie beside both
    // programs, its options file where the window writes it.
    const fs::path folder = PathFromText(dir.empty() ? std::string(".") : dir);
    const bool beside = !IsInstalledProgramDir(folder) && IsFolderWritable(folder);
    const SideFiles files = DeriveSideFiles(dir + "Spurwerk", beside, UserConfigDir());
    CliLanguageSources sources;
    sources.option = option;
    if (option.empty()) {
        IniFile options(PathFromText(files.OptionsFileName));
        if (!options.ReadError()) sources.storedIndex = options.ReadInteger("Options", "LanguageIndex", 0);
    }
    sources.lcAll = EnvironmentText("LC_ALL");
    sources.lcMessages = EnvironmentText("LC_MESSAGES");
    sources.lang = EnvironmentText("LANG");
    const std::vector<std::string> entries = InitCBLanguage(files.GuiFileName);
    std::optional<std::string> entry = CliLanguageEntry(entries, sources);
    if (!entry) {
        UseCliLanguage("");  // the message in the language the user would get without the option
        std::string names = "de, en";
        for (std::size_t i = 1; i < entries.size(); ++i) names += ", " + entries[i];
        throw CommandError(CliTxt(CliText::UnknownLanguage, {option, names}));
    }
    if (entry->empty()) return;
    const std::string languageFile = LanguageFileName(files.GuiFileName, *entry);
    if (!IsRegularFile(PathFromText(languageFile))) return;  // a stored choice whose file is gone
    CliDialogs dialogs;
    try {
        LoadSaveResStrArr(false, languageFile, dialogs);
    } catch (const FileError&) {
        InitResStrArr();  // an unreadable file: the built-in texts, whole
    }
}

}  // namespace spurwerk::cli
