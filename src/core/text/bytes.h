#pragma once
// A run of raw bytes: file contents, document buffers, encoded text.

#include <cstdint>
#include <vector>

namespace spurwerk {

using Bytes = std::vector<std::uint8_t>;

}  // namespace spurwerk
