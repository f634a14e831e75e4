// An effects file from anywhere, with any insert position byte of its project.

#include "fuzz_support.h"
#include "project/value_texts.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)BuildEffectLabels(nullptr, size > 0 ? data[0] : 0);
    if (size == 0) return 0;
    Bytes efx(data + 1, data + size);
    for (int insertPosition : {int{data[0]}, -int{data[0]}}) (void)BuildEffectLabels(&efx, insertPosition);
    return 0;
}
