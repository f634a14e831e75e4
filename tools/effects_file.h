#pragma once
// EFXDATA.ZDT contents: only the fields the mixer reads are set, the rest is 0.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/file_io.h"

namespace spurwerk::gen {

constexpr std::size_t EffectsFileSize = 1024;

struct EffectsSetup {
    std::uint8_t insertNumber = 0;  // shown as number + 1
    std::string insertName = "Clean";
    std::uint8_t chorusNumber = 0;  // shown as number * 2
    std::string chorusName = "Chorus";
    std::uint8_t reverbNumber = 0;  // shown as the number
    std::string reverbName = "Hall1";
    bool insertOff = true;
    bool chorusOff = false;
    bool reverbOff = false;
};

Bytes BuildEffectsFile(const EffectsSetup& setup);

}  // namespace spurwerk::gen
