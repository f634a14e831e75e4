// An effects file from anywhere, with any insert position byte of its project.

#include <cstdint>

#include "fuzz_support.h"
#include "project/value_texts.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        (void)BuildEffectLabels(nullptr, 0);
        return 0;
    }
    int insertPosition = data[0];
    Bytes efx(data + 1, data + size);
    (void)BuildEffectLabels(&efx, insertPosition);
    (void)BuildEffectLabels(&efx, -insertPosition);
    return 0;
}
