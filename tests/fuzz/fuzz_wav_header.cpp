// A WAV file from anywhere: the header reader (through a real file, so reads
// past the first block take the seek path) and the one-line summary.

#include <cstdint>

#include "fuzz_support.h"
#include "project/wav_header.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::ScratchFile("TRACK01.WAV");
    fuzz::WriteScratch(file, data, size);
    WavHeader header = ReadWavHeader(file.string());
    if (header.fileSize != static_cast<std::int64_t>(size)) __builtin_trap();
    (void)WavDurationMs(header);
    (void)WavHeaderSummary(file.string(), true);
    (void)WavHeaderSummary(file.string(), false);
    return 0;
}
