// A WAV file from anywhere: the header reader (through a real file, so reads
// past the first block take the seek path) and the one-line summary.

#include "fuzz_support.h"
#include "project/wav_header.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = fuzz::WriteScratch("TRACK01.WAV", data, size);
    WavHeader header = ReadWavHeader(file);
    if (header.fileSize != static_cast<std::int64_t>(size)) __builtin_trap();
    (void)WavDurationMs(header);
    for (bool full : {true, false}) (void)WavHeaderSummary(file, full);
    return 0;
}
