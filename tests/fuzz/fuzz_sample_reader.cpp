// A WAV file from anywhere through the sample reader: the layout must stay
// inside the file, and reading every frame must end.

#include <vector>

#include "audio/sample_reader.h"
#include "fuzz_support.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = fuzz::WriteScratch("TRACK01.WAV", data, size);
    SampleReader reader = SampleReader::Open(file);
    const WavLayout& layout = reader.Layout();
    if (!layout.Ok()) return 0;
    if (layout.dataOffset < 0 || static_cast<std::uint64_t>(layout.dataOffset) + layout.dataSize > size) __builtin_trap();
    if (layout.frameCount * layout.blockAlign > layout.dataSize) __builtin_trap();
    std::vector<float> floats(64 * layout.channels);
    std::vector<std::int32_t> ints(64 * layout.channels);
    std::uint64_t frames = 0;
    while (std::size_t got = reader.ReadFloat(floats.data(), 64)) frames += got;
    if (frames != layout.frameCount) __builtin_trap();
    if (reader.Seek(layout.frameCount / 2)) (void)reader.ReadInt32(ints.data(), 64);
    return 0;
}
