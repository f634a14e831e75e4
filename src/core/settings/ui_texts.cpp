#include "settings/ui_texts.h"

#include <array>

#include "text/ascii.h"

namespace spurwerk {

namespace {

constexpr std::size_t Count = static_cast<std::size_t>(UiText::Count);

struct Entry {
    const char* key;
    const char* german;
};

constexpr std::array<Entry, Count> Entries{{
    {"MessageOk", "OK"},
    {"MessageCancel", "Abbrechen"},
    {"MessageYes", "&Ja"},
    {"MessageNo", "&Nein"},
    {"MessageYesToAll", "Ja, &alle"},
    {"MessageNoToAll", "N&ein, keine"},
    {"MenuOpen", "Öffnen"},
    {"MenuShowInFileManager", "Im Dateimanager zeigen"},
    {"MenuCopyPath", "Pfad kopieren"},
    {"MenuWavInfo", "WAV-Info ..."},
    {"QtLanguage", "de"},
}};

std::array<std::string, Count>& Table() {
    static std::array<std::string, Count> table = [] {
        std::array<std::string, Count> t;
        for (std::size_t i = 0; i < Count; ++i) t[i] = Entries[i].german;
        return t;
    }();
    return table;
}

}  // namespace

void InitUiTexts() {
    for (std::size_t i = 0; i < Count; ++i) Table()[i] = Entries[i].german;
}

const std::string& UiTxt(UiText text) { return Table()[static_cast<std::size_t>(text)]; }

void SetUiTxt(UiText text, const std::string& value) { Table()[static_cast<std::size_t>(text)] = value; }

const char* UiTextKey(UiText text) { return Entries[static_cast<std::size_t>(text)].key; }

std::string QtLanguageCodeFor(const std::string& languageName) {
    static const std::array<std::pair<const char*, const char*>, 14> names{{
        {"Deutsch", "de"}, {"German", "de"}, {"English", "en"}, {"Englisch", "en"}, {"Francais", "fr"},
        {"Français", "fr"}, {"French", "fr"}, {"Espanol", "es"}, {"Español", "es"}, {"Spanish", "es"},
        {"Italiano", "it"}, {"Italian", "it"}, {"Nederlands", "nl"}, {"Dutch", "nl"},
    }};
    for (const auto& [name, code] : names)
        if (EqualsIgnoreCase(languageName, name)) return code;
    return "";
}

}  // namespace spurwerk
