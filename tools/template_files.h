#pragma once
// The eight template files that lie beside the program.

#include <filesystem>

namespace spurwerk::gen {

void WriteTemplateFiles(const std::filesystem::path& binDir);

}  // namespace spurwerk::gen
