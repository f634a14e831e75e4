#pragma once
// The secondary windows (project list, series, information, language), each
// built the first time it is needed: most starts never open them, and building
// them measures text, which costs the font database's first population.

class QWidget;

namespace spurwerk::gui {

class FormFileList;
class FormProjSerie;
class GeneralInfoWindow;
class LanguageWindow;

class LateWindows {
public:
    virtual ~LateWindows() = default;

    // Build the window on the first call.
    virtual FormFileList& FileList() = 0;
    virtual FormProjSerie& ProjSerie() = 0;
    virtual GeneralInfoWindow& GeneralInfo() = 0;
    virtual LanguageWindow& Language() = 0;

    // The window if it is built, else nullptr (for what only concerns a
    // window that exists: its controls, language, position, closing).
    virtual FormFileList* BuiltFileList() const = 0;
    virtual FormProjSerie* BuiltProjSerie() const = 0;
    virtual GeneralInfoWindow* BuiltGeneralInfo() const = 0;
    virtual LanguageWindow* BuiltLanguage() const = 0;
};

}  // namespace spurwerk::gui
