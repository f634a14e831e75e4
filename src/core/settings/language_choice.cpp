#include "settings/language_choice.h"

#include <filesystem>
#include <system_error>

#include "io/path_text.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"

namespace spurwerk {

namespace fs = std::filesystem;

std::vector<std::string> InitCBLanguage(const std::string& guiFileName) {
    std::vector<std::string> entries = {LanguageBoxTitle};
    const std::string prefix = ChangeFileExt(guiFileName, "_");
    const std::string prefixName = ExtractFileName(prefix);
    std::string folder = ExtractFilePath(prefix);
    std::error_code ec;
    fs::directory_iterator it(PathFromText(folder.empty() ? std::string(".") : folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        std::string name = PathText(it->path().filename());
        if (name.size() < prefixName.size() + 4 || !StartsWithIgnoreCase(name, prefixName) || !HasFileExt(name, ".INI"))
            continue;
        std::string rest = name.substr(prefixName.size());
        std::string language = rest.substr(0, rest.rfind('.'));
        if (!language.empty()) entries.push_back(language);
    }
    return entries;
}

std::string LanguageFileName(const std::string& guiFileName, const std::string& languageName) {
    return ChangeFileExt(guiFileName, "_" + languageName + ".INI");
}

std::string LanguageReadmeFileName(const std::string& readmeFileName, const std::string& languageName) {
    return ChangeFileExt(readmeFileName, "_" + languageName + ".TXT");
}

std::optional<LanguageChoice> CBLanguageChange(const std::vector<std::string>& entries, int index,
                                               const std::string& guiFileName, const std::string& readmeFileName) {
    if (index <= 0 || static_cast<std::size_t>(index) >= entries.size()) return std::nullopt;
    LanguageChoice choice;
    choice.LanguageIndex = index;
    choice.languageName = entries[static_cast<std::size_t>(index)];
    choice.languageFile = LanguageFileName(guiFileName, choice.languageName);
    choice.readmeFile = LanguageReadmeFileName(readmeFileName, choice.languageName);
    return choice;
}

namespace {

// The entry for a language code ("de") or an entry's own name; none found: nullopt.
std::optional<std::string> EntryFor(const std::vector<std::string>& entries, const std::string& wanted) {
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (EqualsIgnoreCase(entries[i], wanted) || EqualsIgnoreCase(QtLanguageCodeFor(entries[i]), wanted))
            return entries[i];
    if (EqualsIgnoreCase(wanted, "de")) return std::string();  // the built-in texts are German
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CliLanguageEntry(const std::vector<std::string>& entries,
                                            const CliLanguageSources& sources) {
    if (!sources.option.empty()) return EntryFor(entries, sources.option);
    if (sources.storedIndex > 0 && static_cast<std::size_t>(sources.storedIndex) < entries.size())
        return entries[static_cast<std::size_t>(sources.storedIndex)];
    // POSIX order: LC_ALL overrides LC_MESSAGES, which overrides LANG.
    std::string locale = !sources.lcAll.empty() ? sources.lcAll
                         : !sources.lcMessages.empty() ? sources.lcMessages
                                                       : sources.lang;
    std::string code = locale.substr(0, locale.find_first_of("_.@"));
    if (code.size() >= 2 && code != "POSIX")
        if (auto entry = EntryFor(entries, code)) return entry;
    return EntryFor(entries, "en").value_or(std::string());
}

}  // namespace spurwerk
