#pragma once
// The mixer's popup menu PopupMenu1: entries, captions and which are enabled
// for the loaded project, its marks and the recording end.

#include <cstdint>
#include <string>
#include <vector>

#include "project/zdt_document.h"

namespace spurwerk {

struct PopupEntry {
    std::string name;      // "PMLoadZDTFile"; empty for a separator
    std::string caption;
    bool enabled = true;
    bool IsSeparator() const { return name.empty(); }
};

// The entries in menu order, with separators, as they stand when the menu opens.
std::vector<PopupEntry> BuildPopupMenu(const Bytes& document, const std::string& loadedFile,
                                       std::int32_t recordingEnd);

}  // namespace spurwerk
