#include "settings/language_file.h"

#include <array>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/ini_file.h"
#include "io/text_file.h"
#include "settings/cli_texts.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
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

void ResStrArrIn(IniFile& ini, bool doSave) {
    if (doSave) {
        for (int n = FirstTextNumber; n <= LastTextNumber; ++n)
            ini.WriteString(ResStrArrSection, "Str" + std::to_string(n), EncodeBR(Txt(n), CrLf));
        return;
    }
    std::array<std::string, TextCount> texts;
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n)
        texts[static_cast<std::size_t>(n - FirstTextNumber)] =
            DecodeBR(ini.ReadString(ResStrArrSection, "Str" + std::to_string(n), ""), CrLf);
    for (int n = FirstTextNumber; n <= LastTextNumber; ++n) SetTxt(n, texts[static_cast<std::size_t>(n - FirstTextNumber)]);
}

// Unlike the numbered texts, a missing key keeps the German default.
void UiTextsIn(IniFile& ini, bool doSave) {
    for (int i = 0; i < static_cast<int>(UiText::Count); ++i) {
        const auto text = static_cast<UiText>(i);
        if (doSave) {
            ini.WriteString(UiTextsSection, UiTextKey(text), EncodeBR(UiTxt(text), CrLf));
            continue;
        }
        std::string value = ini.ReadString(UiTextsSection, UiTextKey(text), "");
        if (!value.empty()) SetUiTxt(text, DecodeBR(value, CrLf));
    }
}

void CliTextsIn(IniFile& ini, bool doSave) {
    for (int i = 0; i < static_cast<int>(CliText::Count); ++i) {
        const auto text = static_cast<CliText>(i);
        if (doSave) {
            ini.WriteString(CliTextsSection, CliTextKey(text), EncodeBR(CliTxt(text), CrLf));
            continue;
        }
        std::string value = ini.ReadString(CliTextsSection, CliTextKey(text), "");
        if (!value.empty()) SetCliTxt(text, DecodeBR(value, CrLf));
    }
}

void TextsIn(IniFile& ini, bool doSave) {
    ResStrArrIn(ini, doSave);
    if (!doSave) {
        InitUiTexts();
        InitCliTexts();
        SetUiTxt(UiText::QtLanguage, "");  // without the key the language's name decides
    }
    UiTextsIn(ini, doSave);
    CliTextsIn(ini, doSave);
}

void GuiTextsIn(IniFile& ini, GuiForm& form, bool doSave, const std::string& sectionName) {
    const std::string section = sectionName.empty() ? "GUI_" + form.name : sectionName;
    for (GuiComponent& c : form.components) {
        if (!IsLanguageComponent(c)) continue;
        if (c.kind == ComponentKind::MenuItem && c.text == "-") continue;
        const std::string textKey = c.name + ".Text";
        const std::string hintKey = c.name + ".Hint";
        if (doSave) {
            if (HasLanguageText(c) && !c.text.empty() && c.text != "(-)")
                ini.WriteString(section, textKey, EncodeBR(c.text, CrLf));
            if (!c.hint.empty()) ini.WriteString(section, hintKey, EncodeBR(c.hint, Lf));
            continue;
        }
        std::string text = HasLanguageText(c) ? ini.ReadString(section, textKey, "") : "";
        if (!text.empty()) c.text = DecodeBR(text, CrLf);
        std::string hint = ini.ReadString(section, hintKey, "");
        if (!hint.empty()) c.hint = DecodeBR(hint, Lf);
    }
}

}  // namespace

void LoadSaveResStrArr(bool doSave, const std::string& fileName, Dialogs& dialogs) {
    AnnounceNewFile(doSave, fileName, dialogs);
    IniFile ini(PathFromText(fileName));
    if (!doSave) ThrowIfUnreadable(ini);
    TextsIn(ini, doSave);
    if (doSave) ini.Flush();
}

bool LoadSaveGuiTexts(GuiForm& form, bool doSave, const std::string& fileName, const std::string& sectionName,
                      Dialogs& dialogs) {
    AnnounceNewFile(doSave, fileName, dialogs);
    IniFile ini(PathFromText(fileName));
    if (!doSave && ini.ReadError()) return false;
    GuiForm result = form;
    GuiTextsIn(ini, result, doSave, sectionName);
    try {
        if (doSave) ini.Flush();
    } catch (const FileError&) {
        return false;
    }
    form = std::move(result);
    return true;
}

bool LoadSaveLanguage(bool doSave, const std::string& fileName, const std::vector<GuiForm*>& forms,
                      Dialogs& dialogs) {
    if (!PathExists(fileName)) {
        dialogs.Message(Txt(101) + fileName + Txt(103), MessageButtons::Ok);
        return false;
    }
    IniFile ini(PathFromText(fileName));
    ThrowIfUnreadable(ini);
    std::vector<GuiForm> results;
    for (GuiForm* form : forms) {
        results.push_back(*form);
        GuiTextsIn(ini, results.back(), doSave, "");
    }
    if (doSave) {
        TextsIn(ini, true);
        ini.Flush();
        return true;
    }
    for (std::size_t i = 0; i < forms.size(); ++i) *forms[i] = std::move(results[i]);
    TextsIn(ini, false);
    return true;
}

std::vector<std::string> ListSortTypeItems() { return SplitTextLines(Txt(100)); }

}  // namespace spurwerk
