#pragma once
// Language files: the text table in section "ResStrArr" (keys Str100..Str300)
// and the captions and hints of each window in a section "GUI_" + window name
// (keys Name.Text and Name.Hint). Line breaks are stored as "<BR>".

#include <string>
#include <vector>

#include "settings/gui_component.h"
#include "ui/dialogs.h"

namespace spurwerk {

// Writes the text table into the file, or reads it from it. Reading sets every
// text; a missing key leaves its text empty. Throws FileError when the file
// cannot be read or written; the table and the file are then unchanged.
void LoadSaveResStrArr(bool doSave, const std::string& fileName, Dialogs& dialogs);

// Writes or reads the captions and hints of one window's components; an empty
// `sectionName` means "GUI_" + form.name. Reading changes only the texts and
// hints whose keys hold a value. Returns false when the file could not be read
// or written (the walk ends silently, as the program has it; nothing changed).
bool LoadSaveGuiTexts(GuiForm& form, bool doSave, const std::string& fileName, const std::string& sectionName,
                      Dialogs& dialogs);

// The whole language file: the windows in the order given (main window, mixer,
// project list, project series, information window), then the text table.
// Returns false, after a message, when the file does not exist. Throws
// FileError when it cannot be read or written; nothing is changed then.
bool LoadSaveLanguage(bool doSave, const std::string& fileName, const std::vector<GuiForm*>& forms,
                      Dialogs& dialogs);

// The project list's sort-order choices, one per line of text 100.
std::vector<std::string> ListSortTypeItems();

}  // namespace spurwerk
