#include "settings/gui_component.h"

namespace spurwerk {

bool IsLanguageComponent(const GuiComponent& component) {
    if (component.name.find('_') != std::string::npos) return false;
    switch (component.kind) {
        case ComponentKind::Button:
        case ComponentKind::Label:
        case ComponentKind::Panel:
        case ComponentKind::CheckBox:
        case ComponentKind::MenuItem:
        case ComponentKind::ComboBox:
        case ComponentKind::Edit:
        case ComponentKind::MaskEdit:
        case ComponentKind::DataText:
            return true;
        default:
            return false;
    }
}

bool HasLanguageText(const GuiComponent& component) {
    switch (component.kind) {
        case ComponentKind::ComboBox:
        case ComponentKind::Edit:
        case ComponentKind::MaskEdit:
        case ComponentKind::DataText:
            return false;
        default:
            return IsLanguageComponent(component);
    }
}

}  // namespace spurwerk
