// A history file from anywhere: read for the dialog's list, a value put at its
// top, missing entries counted and removed.

#include <cstdint>

#include "fuzz_support.h"
#include "settings/input_history.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFile("Spurwerk_ZDT.HIS");
    fuzz::WriteScratch(file, data, size);

    InputHistory history;
    history.OpenHistory(file.string());
    std::string top = history.Items().empty() ? "C:\\ZOOM\\PROJ001\\PRJDATA.ZDT" : history.Items().back();
    history.AddToHistory(top, "");
    history.AddToHistory("proj001", "");
    (void)history.CountNonExistent();
    history.DeleteNonExistent();
    InputHistory reread;
    reread.OpenHistory(file.string());
    return 0;
}
