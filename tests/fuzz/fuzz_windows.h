#pragma once
// A fixed set of windows for language files: every kind of component that
// takes part, some that do not, and one per-track control that is left out.

#include <vector>

#include "settings/gui_component.h"

namespace spurwerk::fuzz {

inline std::vector<GuiForm> LanguageWindows() {
    using K = ComponentKind;
    return {
        {"FormMain",
         {{"ButtonLoadZDTFile", K::Button, "Laden", "Projekt laden"},
          {"LabelLoadedFile", K::Label, "(-)", ""},
          {"CBCompare", K::CheckBox, "Vergleich", "Bytes vergleichen"},
          {"MIFile", K::MenuItem, "Datei", ""}, {"MISep1", K::MenuItem, "-", ""},
          {"CBHistory", K::ComboBox, "", "Verlauf"},
          {"EditProjName", K::Edit, "", "Projektname"},
          {"MaskEditTime", K::MaskEdit, "00:00", ""}, {"SpinEditCount", K::SpinEdit, "", "ignored"},
          {"TBFader_3", K::TrackBar, "", "per track"}}},
        {"FormMixer", {{"PanelTop", K::Panel, "", "Mixer"}, {"LabelEFXInsert", K::Label, "Insert", ""}}},
        {"FormFileList", {{"RGListSortType", K::RadioGroup, "", ""}, {"LabelMessList", K::Label, "(-)", ""}}},
        {"FormProjSerie", {{"ButtonStart", K::Button, "Start", "Serie anlegen"}}},
        {"FormGeneralInfo", {{"MemoInfo", K::Memo, "", ""}}},
    };
}

}  // namespace spurwerk::fuzz
