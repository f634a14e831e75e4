#pragma once
// A fresh project document holding the new-project mix on all tracks.

#include <cstddef>
#include <string>

#include "project/zdt_document.h"

namespace spurwerk::gen {

// Larger than MinProjectDataSize; the bytes beyond the known fields stay 0.
constexpr std::size_t NewProjectSize = 3584;

// bitsPerSample is 16 or 24.
ZDTDocument NewProjectDocument(const std::string& projectName, int bitsPerSample = 16);

}  // namespace spurwerk::gen
