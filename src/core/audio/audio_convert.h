#pragma once
// Converting audio files for the recorder and for other programs: any file
// the decoder reads (WAV, AIFF, FLAC, Ogg Vorbis, Opus, MP3) to 44.1 kHz
// integer PCM or FLAC, resampled at very high quality and dithered (TPDF)
// where the depth shrinks. The output goes to a temporary file beside the
// target and takes the target's name only when complete: a failure or a
// cancel leaves nothing behind.
//
// Needs libsndfile and libsoxr; a build without them (the Windows one) has
// AudioConversionAvailable() false and every conversion throws.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace spurwerk {

bool AudioConversionAvailable();

// Called now and then with the source frames read and the source's frame count
// (an estimate for compressed files); false cancels (SilentAbort).
using ConversionProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// A source the converter will not take: no audio it can decode, nothing in
// it, too many channels. The text is for the user.
class AudioSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AudioSourceInfo {
    int channels = 0;
    int sampleRate = 0;
    std::int64_t frames = 0;
    int bits = 0;  // the source's integer depth; 32 for float and compressed sources
};

// Opens the source only; throws AudioSourceError when it cannot be decoded or is empty.
AudioSourceInfo ProbeAudioSource(const std::string& path);

enum class ChannelMode {
    Keep,        // mono stays mono, stereo stereo
    MixToMono,   // the average of the channels
};

enum class OutputFormat { Wav, Flac };

struct ConversionRequest {
    std::string source;
    std::string target;          // created; an existing file is never replaced unless `replace`
    OutputFormat format = OutputFormat::Wav;
    int bits = 16;               // 16 or 24
    ChannelMode channels = ChannelMode::Keep;
    int maxChannels = 2;         // more are refused
    bool replace = false;
};

struct ConversionResult {
    int channels = 0;
    std::uint64_t frames = 0;    // at 44.1 kHz
    bool resampled = false;
    bool dithered = false;
};

// Throws AudioSourceError, FileError (writing; also when the target exists) or SilentAbort.
ConversionResult ConvertAudio(const ConversionRequest& request, const ConversionProgress& progress = {});

}  // namespace spurwerk
