#include "settings/language_file.h"

#include <array>
#include <memory>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/ini_file.h"
#include "io/text_file.h"
#include "settings/cli_texts.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "text/text_encoding.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

const std::string ResStrArrSection = "ResStrArr";
const std::string CrLf = "\r\n";
const std::string Lf = "\n";

void AnnounceNewFile(bool doSave, const std::string& fileName, Dialogs& dialogs) {
    if (doSave && !PathExists(fileName)) dialogs.Message(Txt(101) + fileName + Txt(102), MessageButtons::Ok);
}

void ThrowIfUnreadable(const IniFile& ini) {
    if (ini.ReadError()) throw FileError(*ini.ReadError());
}

// The language file for reading, parsed. A start reads it several times (the
// texts, the main window's, each window built later): the parse is kept while
// the file's content stays the same. Throws FileError when it cannot be read;
// a missing file reads as empty.
std::shared_ptr<const IniFile> LanguageFileToRead(const std::string& fileName) {
    struct Parsed {
        std::string fileName;
        Bytes content;
        std::shared_ptr<const IniFile> ini;
    };
    static Parsed last;
    const fs::path path = PathFromText(fileName);
    if (!PathExists(fileName)) return std::make_shared<const IniFile>(path);
    Bytes content = ReadWholeFile(path, MaxTextFileSize);
    if (last.ini && last.fileName == fileName && last.content == content) return last.ini;
    auto ini = std::make_shared<const IniFile>(path, DecodeTextBytes(content));
    last = Parsed{fileName, std::move(content), ini};
    return ini;
}

void ResStrArrFrom(const IniFile& ini) {
    std::array<std::string, TextCount> texts;
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n)
        texts[static_cast<std::size_t>(n - FirstTextNumber)] =
            DecodeBR(ini.ReadString(ResStrArrSection, "Str" + std::to_string(n), ""), CrLf);
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) SetTxt(n, texts[static_cast<std::size_t>(n - FirstTextNumber)]);
}

// Unlike the numbered texts, a missing key keeps the German default.
void UiTextsFrom(const IniFile& ini) {
    for (int i = 0; i < static_cast<int>(UiText::Count); ++i) {
        const auto text = static_cast<UiText>(i);
        std::string value = ini.ReadString(UiTextsSection, UiTextKey(text), "");
        if (!value.empty()) SetUiTxt(text, DecodeBR(value, CrLf));
    }
}

void CliTextsFrom(const IniFile& ini) {
    for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
        const auto text = static_cast<CliText>(i);
        std::string value = ini.ReadString(CliTextsSection, CliTextKey(text), "");
        if (!value.empty()) SetCliTxt(text, DecodeBR(value, CrLf));
    }
}

void TextsFrom(const IniFile& ini) {
    ResStrArrFrom(ini);
    InitUiTexts();
    InitCliTexts();
    SetUiTxt(UiText::QtLanguage, "");  // without the key the language's name decides
    UiTextsFrom(ini);
    CliTextsFrom(ini);
}

void TextsTo(IniFile& ini) {
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n)
        ini.WriteString(ResStrArrSection, "Str" + std::to_string(n), EncodeBR(Txt(n), CrLf));
    for (int i = 0; i < static_cast<int>(UiText::Count); ++i) {
        const auto text = static_cast<UiText>(i);
        ini.WriteString(UiTextsSection, UiTextKey(text), EncodeBR(UiTxt(text), CrLf));
    }
    for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
        const auto text = static_cast<CliText>(i);
        ini.WriteString(CliTextsSection, CliTextKey(text), EncodeBR(CliTxt(text), CrLf));
    }
}

std::string GuiSection(const GuiForm& form, const std::string& sectionName) {
    return sectionName.empty() ? "GUI_" + form.name : sectionName;
}

bool IsTranslated(const GuiComponent& c) {
    return IsLanguageComponent(c) && !(c.kind == ComponentKind::MenuItem && c.text == "-");
}

void GuiTextsFrom(const IniFile& ini, GuiForm& form, const std::string& sectionName) {
    const std::string section = GuiSection(form, sectionName);
    for (GuiComponent& c : form.components) {
        if (!IsTranslated(c)) continue;
        std::string text = HasLanguageText(c) ? ini.ReadString(section, c.name + ".Text", "") : "";
        if (!text.empty()) c.text = DecodeBR(text, CrLf);
        std::string hint = ini.ReadString(section, c.name + ".Hint", "");
        if (!hint.empty()) c.hint = DecodeBR(hint, Lf);
    }
}

void GuiTextsTo(IniFile& ini, const GuiForm& form, const std::string& sectionName) {
    const std::string section = GuiSection(form, sectionName);
    for (const GuiComponent& c : form.components) {
        if (!IsTranslated(c)) continue;
        if (HasLanguageText(c) && !c.text.empty() && c.text != "(-)")
            ini.WriteString(section, c.name + ".Text", EncodeBR(c.text, CrLf));
        if (!c.hint.empty()) ini.WriteString(section, c.name + ".Hint", EncodeBR(c.hint, Lf));
    }
}

}  // namespace

void LoadSaveResStrArr(bool doSave, const std::string& fileName, Dialogs& dialogs) {
    if (!doSave) return TextsFrom(*LanguageFileToRead(fileName));
    AnnounceNewFile(doSave, fileName, dialogs);
    IniFile ini(PathFromText(fileName));
    TextsTo(ini);
    ini.Flush();
}

bool LoadSaveGuiTexts(GuiForm& form, bool doSave, const std::string& fileName, const std::string& sectionName,
                      Dialogs& dialogs) {
    if (!doSave) {
        std::shared_ptr<const IniFile> ini;
        try {
            ini = LanguageFileToRead(fileName);
        } catch (const FileError&) {
            return false;
        }
        GuiTextsFrom(*ini, form, sectionName);
        return true;
    }
    AnnounceNewFile(doSave, fileName, dialogs);
    IniFile ini(PathFromText(fileName));
    GuiTextsTo(ini, form, sectionName);
    try {
        ini.Flush();
    } catch (const FileError&) {
        return false;
    }
    return true;
}

bool LoadSaveLanguage(bool doSave, const std::string& fileName, const std::vector<GuiForm*>& forms,
                      Dialogs& dialogs) {
    if (!PathExists(fileName)) {
        dialogs.Message(Txt(101) + fileName + Txt(103), MessageButtons::Ok);
        return false;
    }
    if (doSave) {
        IniFile ini(PathFromText(fileName));
        ThrowIfUnreadable(ini);
        for (const GuiForm* form : forms) GuiTextsTo(ini, *form, "");
        TextsTo(ini);
        ini.Flush();
        return true;
    }
    std::shared_ptr<const IniFile> ini = LanguageFileToRead(fileName);
    for (GuiForm* form : forms) GuiTextsFrom(*ini, *form, "");
    TextsFrom(*ini);
    return true;
}

std::vector<std::string> ListSortTypeItems() { return SplitTextLines(Txt(100)); }

}  // namespace spurwerk
