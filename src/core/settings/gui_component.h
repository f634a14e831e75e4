#pragma once
// A window's components as the language files see them: the GUI lists its
// widgets in component order (form design first, then those built at run
// time), the language layer reads or changes their texts and hints, and the
// GUI applies the result to the widgets.

#include <string>
#include <vector>

namespace spurwerk {

enum class ComponentKind {
    // Take part in language files:
    Button,    // push buttons, bitmap buttons included
    Label,
    Panel,
    CheckBox,
    MenuItem,  // text is its caption; "-" is a separator
    ComboBox,  // text is its current content
    Edit,      // single-line edit field
    MaskEdit,
    DataText,  // a label showing data or what is computed from it (a folder, a count, a preview)
    // Do not:
    SpinEdit,
    Memo,
    RadioGroup,
    ListBox,
    TrackBar,
    SpeedButton,
    GroupBox,
    Other,
};

struct GuiComponent {
    std::string name;  // object name, e.g. "ButtonLoadZDTFile"
    ComponentKind kind = ComponentKind::Other;
    std::string text;  // caption or window text
    std::string hint;
};

struct GuiForm {
    std::string name;  // component name of the window, e.g. "FormMain"
    std::vector<GuiComponent> components;
};

// Names with "_" (the per-track controls built at run time) and the kinds
// that have no text of their own to translate are left out.
bool IsLanguageComponent(const GuiComponent& component);
// Whether the language file carries the component's text: never what the
// user entered or chose (edit fields, combo boxes) nor a data label; their
// hints it does carry.
bool HasLanguageText(const GuiComponent& component);

}  // namespace spurwerk
