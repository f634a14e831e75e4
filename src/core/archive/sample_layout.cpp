#include "archive/sample_layout.h"

#include "audio/sample_reader.h"
#include "io/file_io.h"
#include "io/path_text.h"

namespace spurwerk {

namespace {

void DecideCompression(SampleLayout& layout) {
    std::string& reason = layout.storeRawReason;
    if (layout.formatTag == WavFormatFloat) reason = "floating-point samples";
    else if (layout.formatTag != WavFormatPcm) reason = "not PCM (format " + std::to_string(layout.formatTag) + ")";
    else if (layout.bitsPerSample != 16 && layout.bitsPerSample != 24)
        reason = std::to_string(layout.bitsPerSample) + "-bit samples";
    else if (layout.channels < 1 || layout.channels > 8) reason = std::to_string(layout.channels) + " channels";
    else if (layout.blockAlign != layout.channels * layout.bitsPerSample / 8) reason = "block align does not fit the format";
    else if (layout.sampleRate < 1 || layout.sampleRate > 655350) reason = "sample rate " + std::to_string(layout.sampleRate);
    else if (layout.sampleBytes == 0) reason = "no samples";
    else if (layout.PrefixBytes() > MaxKeptOutsideBytes || layout.SuffixBytes() > MaxKeptOutsideBytes)
        reason = "too many bytes outside the samples";
}

}  // namespace

SampleLayout LocateSamples(const std::filesystem::path& path) {
    // The track view's reader knows the chunks; what it cannot open is a read error here.
    WavLayout wav = ReadWavLayout(PathText(path));
    if (wav.fault == WavFault::CannotOpen) InputFile::OpenOrThrow(path);
    SampleLayout layout;
    layout.fileSize = wav.fileSize > 0 ? static_cast<std::uint64_t>(wav.fileSize) : 0;
    if (!wav.Ok()) {
        layout.storeRawReason = WavFaultName(wav.fault);
        if (layout.storeRawReason.empty()) layout.storeRawReason = "unreadable WAV header";
        return layout;
    }
    layout.dataOffset = static_cast<std::uint64_t>(wav.dataOffset);
    layout.sampleBytes = wav.frameCount * wav.blockAlign;
    layout.formatTag = wav.sampleFormat;
    layout.channels = wav.channels;
    layout.sampleRate = wav.sampleRate;
    layout.blockAlign = wav.blockAlign;
    layout.bitsPerSample = wav.bitsPerSample;
    layout.rf64 = wav.container != "RIFF";
    if (layout.dataOffset + layout.sampleBytes > layout.fileSize) {
        layout.storeRawReason = "the samples reach past the end of the file";
        return layout;
    }
    DecideCompression(layout);
    return layout;
}

}  // namespace spurwerk
