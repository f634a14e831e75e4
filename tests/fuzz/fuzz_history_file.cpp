// A history file from anywhere: read for the dialog's list, a value put at its
// top, missing entries counted and removed.

#include "fuzz_support.h"
#include "settings/input_history.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = fuzz::WriteScratch("Spurwerk_ZDT.HIS", data, size);
    InputHistory history;
    history.OpenHistory(file);
    const bool empty = history.Items().empty();
    history.AddToHistory(empty ? "C:\\ZOOM\\PROJ001\\PRJDATA.ZDT" : history.Items().back(), "");
    history.AddToHistory("proj001", "");
    (void)history.CountNonExistent();
    history.DeleteNonExistent();
    InputHistory().OpenHistory(file);
    return 0;
}
