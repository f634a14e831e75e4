// A language file from anywhere, read into a fixed set of windows and the
// text table. (Writing one back puts the whole table in, which makes every run
// slow; the writer is covered by the unit tests.)

#include <vector>

#include "fuzz_support.h"
#include "fuzz_windows.h"
#include "settings/language_file.h"
#include "settings/text_table.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentDialogs dialogs;
    const std::string file = fuzz::WriteScratch("Spurwerk_GUI_Fuzz.INI", data, size);
    std::vector<GuiForm> windows = fuzz::LanguageWindows();
    std::vector<GuiForm*> forms;
    for (GuiForm& form : windows) forms.push_back(&form);
    (void)LoadSaveLanguage(false, file, forms, dialogs);
    (void)ListSortTypeItems();
    (void)Txt(239);
    return 0;
}
