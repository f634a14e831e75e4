#pragma once
// Texts outside the numbered table that a user still sees: the message
// boxes' buttons, the per-file action menu and the language of Qt's own
// dialogs. A language file keeps them in section "UiTexts"; a key it lacks
// (a file written before these existed) keeps the German default.

#include <string>

namespace spurwerk {

enum class UiText {
    MessageOk,
    MessageCancel,
    MessageYes,
    MessageNo,
    MessageYesToAll,
    MessageNoToAll,
    MenuOpen,
    MenuShowInFileManager,
    MenuCopyPath,
    MenuWavInfo,
    QtLanguage,  // "de", "en", ...: which of Qt's translations the dialogs use
    Count,
};

inline constexpr const char* UiTextsSection = "UiTexts";

// Sets every text to its German default (InitResStrArr does it too).
void InitUiTexts();
const std::string& UiTxt(UiText text);
void SetUiTxt(UiText text, const std::string& value);
// The key of a text in section "UiTexts", e.g. "MessageYes".
const char* UiTextKey(UiText text);

// The Qt language code for a language box entry without its own
// "QtLanguage" key: "Deutsch" -> "de", "English" -> "en"; empty when unknown.
std::string QtLanguageCodeFor(const std::string& languageName);

}  // namespace spurwerk
