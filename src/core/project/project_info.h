#pragma once
// The one-line project summary and the recording end taken from a project's
// AUDIO folder.

#include <cstdint>
#include <string>

#include "project/zdt_document.h"

namespace spurwerk {

// "[Total TIME = ...]       (16-bit f. neue WAVs)               EFX-Insert-Recording: DRY"
std::string ProjectInfoLine(const Bytes& buffer, std::int32_t recordingEnd);

// The AUDIO folder beside a project file, in the spelling it has there
// (without a trailing separator).
std::string AudioFolderOf(const std::string& projectFile);
// The longest duration of the folder's WAV files, 0 when
// there are none or the folder is missing.
std::int32_t LongestWavDuration(const std::string& audioFolder);

}  // namespace spurwerk
