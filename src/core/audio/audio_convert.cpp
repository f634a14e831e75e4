#include "audio/audio_convert.h"

#ifdef SPURWERK_HAVE_AUDIO_CONVERSION

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/recorder_rules.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "io/shared_library.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

constexpr std::size_t BlockFrames = 16384;

// libsndfile and libsoxr, opened on the first conversion.
#define SNDFILE_FUNCTIONS(X) X(sf_open) X(sf_open_virtual) X(sf_close) X(sf_strerror) X(sf_error) X(sf_command) \
    X(sf_readf_float) X(sf_writef_int)
#define SOXR_FUNCTIONS(X) X(soxr_create) X(soxr_process) X(soxr_delete) X(soxr_io_spec) X(soxr_quality_spec) \
    X(soxr_runtime_spec)
SPURWERK_SHARED_API(SndfileApi, Sndfile, SNDFILE_FUNCTIONS, {SPURWERK_SNDFILE_SONAME, SPURWERK_SNDFILE_PATH})
SPURWERK_SHARED_API(SoxrApi, Soxr, SOXR_FUNCTIONS, {SPURWERK_SOXR_SONAME, SPURWERK_SOXR_PATH})

struct SndfileCloser {
    void operator()(SNDFILE* file) const { Sndfile().sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

struct SoxrDeleter {
    void operator()(soxr_t soxr) const { Soxr().soxr_delete(soxr); }
};
using SoxrHandle = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter>;

int SourceBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8: return 8;
    case SF_FORMAT_PCM_16: return 16;
    case SF_FORMAT_PCM_24: return 24;
    default: return 32;
    }
}

SndfileHandle OpenSource(const std::string& path, SF_INFO& info) {
    std::memset(&info, 0, sizeof info);
    if (!IsRegularFile(PathFromText(path)))
        throw AudioSourceError(UiTxt(UiText::ImportCannotDecode, path) + ": " + UiTxt(UiText::ImportNoFile));
    SndfileHandle file(Sndfile().sf_open(path.c_str(), SFM_READ, &info));
    if (!file) throw AudioSourceError(UiTxt(UiText::ImportCannotDecode, path) + ": " + Sndfile().sf_strerror(nullptr));
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0)
        throw AudioSourceError(UiTxt(UiText::ImportEmpty, path));
    return file;
}

// Triangular noise of +-1 step from two uniform values: a cheap generator
// is enough for noise, and the same seed keeps results reproducible.
class Tpdf {
public:
    double Next() {
        return static_cast<double>(Uniform()) - static_cast<double>(Uniform());
    }

private:
    float Uniform() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<float>(state_ >> 40) * (1.0f / 16777216.0f);
    }
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Integer samples of `bits`, dithered when asked.
class Quantizer {
public:
    Quantizer(int bits, bool dither) : scale_(std::ldexp(1.0, bits - 1)), dither_(dither) {
        max_ = scale_ - 1.0;
        min_ = -scale_;
    }
    std::int32_t operator()(float x) {
        double v = static_cast<double>(x) * scale_;
        if (dither_) v += tpdf_.Next();
        v = std::nearbyint(v);
        return static_cast<std::int32_t>(std::clamp(v, min_, max_));
    }

private:
    double scale_, max_, min_;
    bool dither_;
    Tpdf tpdf_;
};

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::vector<std::uint8_t> WavHeaderBytes(int channels, int bits, std::uint64_t frames) {
    std::vector<std::uint8_t> h(44, 0);
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(channels * bits / 8);
    const std::uint64_t dataSize = frames * blockAlign;
    std::memcpy(h.data(), "RIFF", 4);
    Put32(h.data() + 4, static_cast<std::uint32_t>(36 + dataSize + (dataSize & 1)));
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    Put32(h.data() + 16, 16);
    Put16(h.data() + 20, 1);
    Put16(h.data() + 22, static_cast<std::uint16_t>(channels));
    Put32(h.data() + 24, RecorderSampleRate);
    Put32(h.data() + 28, RecorderSampleRate * blockAlign);
    Put16(h.data() + 32, static_cast<std::uint16_t>(blockAlign));
    Put16(h.data() + 34, static_cast<std::uint16_t>(bits));
    std::memcpy(h.data() + 36, "data", 4);
    Put32(h.data() + 40, static_cast<std::uint32_t>(dataSize));
    return h;
}

// Where converted frames go: a WAV streamed into the temporary file, or FLAC
// encoded in memory (its header is rewritten at the end) and then written.
class Sink {
public:
    Sink(const ConversionRequest& request, int channels) : request_(request), channels_(channels) {
        const std::filesystem::path target = PathFromText(request.target);
        if (!request.replace && std::filesystem::exists(target))
            throw FileError::For(FileStep::Write, target, std::make_error_code(std::errc::file_exists));
        Check(temp_.Create(target));
        if (request.format == OutputFormat::Wav) {
            Check(temp_.Write(WavHeaderBytes(channels, request.bits, 0).data(), 44));
        } else {
            SF_VIRTUAL_IO io{&Length, &Seek, &Read, &Write, &Tell};
            SF_INFO info{};
            info.samplerate = static_cast<int>(RecorderSampleRate);
            info.channels = channels;
            info.format = SF_FORMAT_FLAC | (request.bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
            flac_.reset(Sndfile().sf_open_virtual(&io, SFM_WRITE, &info, &memory_));
            if (!flac_) throw FileError::For(FileStep::Write, target, FileFault::Detail, {Sndfile().sf_strerror(nullptr)});
        }
    }

    void Put(const std::int32_t* samples, std::size_t frames) {
        const std::size_t count = frames * static_cast<std::size_t>(channels_);
        if (flac_) {
            // libsndfile takes left-aligned 32-bit integers for any depth.
            buffer32_.resize(count);
            const int shift = 32 - request_.bits;
            for (std::size_t i = 0; i < count; ++i)
                buffer32_[i] = static_cast<int>(static_cast<std::uint32_t>(samples[i]) << shift);
            if (Sndfile().sf_writef_int(flac_.get(), buffer32_.data(), static_cast<sf_count_t>(frames)) !=
                static_cast<sf_count_t>(frames))
                throw FileError::For(FileStep::Write, PathFromText(request_.target), FileFault::Detail,
                                     {Sndfile().sf_strerror(flac_.get())});
        } else {
            const std::size_t width = static_cast<std::size_t>(request_.bits / 8);
            bytes_.resize(count * width);
            std::uint8_t* p = bytes_.data();
            for (std::size_t i = 0; i < count; ++i, p += width) {
                const auto v = static_cast<std::uint32_t>(samples[i]);
                p[0] = static_cast<std::uint8_t>(v);
                p[1] = static_cast<std::uint8_t>(v >> 8);
                if (width == 3) p[2] = static_cast<std::uint8_t>(v >> 16);
            }
            Check(temp_.Write(bytes_.data(), bytes_.size()));
        }
        frames_ += frames;
    }

    void Finish() {
        if (flac_) {
            if (Sndfile().sf_close(flac_.release()) != 0)
                throw FileError::For(FileStep::Write, PathFromText(request_.target), FileFault::Detail,
                                     {CliTxt(CliText::ArchiveFlacEncoder, {CliTxt(CliText::SystemIo)})});
            Check(temp_.Write(memory_.bytes.data(), memory_.bytes.size()));
        } else {
            const std::uint64_t dataSize = frames_ * static_cast<std::uint64_t>(channels_ * request_.bits / 8);
            if (dataSize > 0xFFFFFFF0ull)
                throw FileError::For(FileStep::Write, PathFromText(request_.target), FileFault::TooLarge,
                                     {std::to_string(dataSize), std::to_string(0xFFFFFFF0ull)});
            if (dataSize & 1) {
                const std::uint8_t pad = 0;
                Check(temp_.Write(&pad, 1));
            }
            Check(temp_.WriteAt(0, WavHeaderBytes(channels_, request_.bits, frames_).data(), 44));
        }
        Check(temp_.Close());
        std::error_code ec;
        if (!temp_.MoveOntoTarget(request_.replace, ec)) {
            if (ec) Check(ec);
            throw FileError::For(FileStep::Write, PathFromText(request_.target),
                                 std::make_error_code(std::errc::file_exists));
        }
    }

private:
    struct Memory {
        std::vector<std::uint8_t> bytes;
        sf_count_t position = 0;
    };
    static sf_count_t Length(void* data) { return static_cast<sf_count_t>(static_cast<Memory*>(data)->bytes.size()); }
    static sf_count_t Seek(sf_count_t offset, int whence, void* data) {
        auto* m = static_cast<Memory*>(data);
        const sf_count_t base = whence == SEEK_CUR ? m->position
                                : whence == SEEK_END ? static_cast<sf_count_t>(m->bytes.size())
                                                     : 0;
        m->position = std::max<sf_count_t>(0, base + offset);
        return m->position;
    }
    static sf_count_t Read(void* out, sf_count_t count, void* data) {
        auto* m = static_cast<Memory*>(data);
        const sf_count_t available =
            std::clamp<sf_count_t>(static_cast<sf_count_t>(m->bytes.size()) - m->position, 0, count);
        if (available > 0) std::memcpy(out, m->bytes.data() + m->position, static_cast<std::size_t>(available));
        m->position += available;
        return available;
    }
    static sf_count_t Write(const void* in, sf_count_t count, void* data) {
        auto* m = static_cast<Memory*>(data);
        const auto end = static_cast<std::size_t>(m->position + count);
        if (end > m->bytes.size()) m->bytes.resize(end);
        std::memcpy(m->bytes.data() + m->position, in, static_cast<std::size_t>(count));
        m->position += count;
        return count;
    }
    static sf_count_t Tell(void* data) { return static_cast<Memory*>(data)->position; }

    void Check(const std::error_code& ec) {
        if (ec) throw FileError::For(FileStep::Write, PathFromText(request_.target), ec);
    }

    const ConversionRequest& request_;
    int channels_;
    TempFile temp_;
    Memory memory_;
    SndfileHandle flac_;
    std::vector<int> buffer32_;
    std::vector<std::uint8_t> bytes_;
    std::uint64_t frames_ = 0;
};

}  // namespace

bool AudioConversionAvailable() { return true; }

AudioSourceInfo ProbeAudioSource(const std::string& path) {
    SF_INFO info;
    SndfileHandle file = OpenSource(path, info);
    return {info.channels, info.samplerate, info.frames, SourceBits(info.format)};
}

ConversionResult ConvertAudio(const ConversionRequest& request, const ConversionProgress& progress) {
    SF_INFO info;
    SndfileHandle source = OpenSource(request.source, info);
    const int inChannels = info.channels;
    if (inChannels > request.maxChannels)
        throw AudioSourceError(
            UiSentence(UiText::ImportTooManyChannels, {request.source, std::to_string(inChannels)}, ""));
    // Float sources keep their peaks above full scale until the final clamp.
    Sndfile().sf_command(source.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    const int outChannels = request.channels == ChannelMode::MixToMono ? 1 : inChannels;

    ConversionResult result;
    result.channels = outChannels;
    result.resampled = info.samplerate != static_cast<int>(RecorderSampleRate);
    result.dithered = result.resampled || SourceBits(info.format) > request.bits;

    SoxrHandle resampler;
    if (result.resampled) {
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = Soxr().soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = Soxr().soxr_quality_spec(SOXR_VHQ, 0);
        const soxr_runtime_spec_t runtime = Soxr().soxr_runtime_spec(1);
        resampler.reset(Soxr().soxr_create(info.samplerate, RecorderSampleRate, static_cast<unsigned>(outChannels), &error,
                                    &io, &quality, &runtime));
        if (!resampler || error) throw AudioSourceError(std::string("soxr: ") + (error ? error : "no resampler"));
    }

    Sink sink(request, outChannels);
    Quantizer quantize(request.bits, result.dithered);
    std::vector<float> in(BlockFrames * static_cast<std::size_t>(inChannels));
    std::vector<float> mixed(BlockFrames * static_cast<std::size_t>(outChannels));
    const double ratio = static_cast<double>(RecorderSampleRate) / info.samplerate;
    const std::size_t outCapacity = static_cast<std::size_t>(BlockFrames * ratio) + 64;
    std::vector<float> out(outCapacity * static_cast<std::size_t>(outChannels));
    std::vector<std::int32_t> ints(out.size());
    std::uint64_t readFrames = 0, written = 0;

    auto emit = [&](const float* samples, std::size_t frames, std::uint64_t limit) {
        frames = static_cast<std::size_t>(std::min<std::uint64_t>(frames, limit - std::min(limit, written)));
        const std::size_t count = frames * static_cast<std::size_t>(outChannels);
        if (ints.size() < count) ints.resize(count);
        for (std::size_t i = 0; i < count; ++i) ints[i] = quantize(samples[i]);
        if (frames > 0) sink.Put(ints.data(), frames);
        written += frames;
    };
    constexpr std::uint64_t Unlimited = ~0ull;

    for (;;) {
        const sf_count_t got = Sndfile().sf_readf_float(source.get(), in.data(), static_cast<sf_count_t>(BlockFrames));
        if (got <= 0) break;
        const auto frames = static_cast<std::size_t>(got);
        readFrames += frames;
        const float* block = in.data();
        if (request.channels == ChannelMode::MixToMono && inChannels > 1) {
            for (std::size_t f = 0; f < frames; ++f) {
                float sum = 0;
                for (int c = 0; c < inChannels; ++c) sum += in[f * static_cast<std::size_t>(inChannels) + static_cast<std::size_t>(c)];
                mixed[f] = sum / static_cast<float>(inChannels);
            }
            block = mixed.data();
        }
        if (resampler) {
            std::size_t done = 0, produced = 0;
            soxr_error_t error = Soxr().soxr_process(resampler.get(), block, frames, &done, out.data(), outCapacity, &produced);
            if (error) throw AudioSourceError(std::string("soxr: ") + error);
            emit(out.data(), produced, Unlimited);
        } else {
            emit(block, frames, Unlimited);
        }
        if (progress && !progress(readFrames, static_cast<std::uint64_t>(std::max<sf_count_t>(info.frames, 0))))
            throw SilentAbort();
    }
    if (Sndfile().sf_error(source.get()) != SF_ERR_NO_ERROR && readFrames == 0)
        throw AudioSourceError(UiTxt(UiText::ImportCannotDecode, request.source) + ": " + Sndfile().sf_strerror(source.get()));
    if (readFrames == 0) throw AudioSourceError(UiTxt(UiText::ImportEmpty, request.source));
    if (resampler) {
        // The length a resampled file must have, the rest of the filter's tail cut.
        const auto target = static_cast<std::uint64_t>(std::llround(static_cast<double>(readFrames) * ratio));
        for (;;) {
            std::size_t produced = 0;
            soxr_error_t error = Soxr().soxr_process(resampler.get(), nullptr, 0, nullptr, out.data(), outCapacity, &produced);
            if (error) throw AudioSourceError(std::string("soxr: ") + error);
            if (produced == 0) break;
            emit(out.data(), produced, target);
        }
        std::fill(out.begin(), out.end(), 0.0f);
        while (written < target) emit(out.data(), std::min<std::uint64_t>(outCapacity, target - written), target);
    }
    sink.Finish();
    result.frames = written;
    return result;
}

}  // namespace spurwerk

#else

#include "settings/ui_texts.h"

namespace spurwerk {

bool AudioConversionAvailable() { return false; }

AudioSourceInfo ProbeAudioSource(const std::string&) { throw AudioSourceError(UiTxt(UiText::ConversionUnavailable)); }

ConversionResult ConvertAudio(const ConversionRequest&, const ConversionProgress&) {
    throw AudioSourceError(UiTxt(UiText::ConversionUnavailable));
}

}  // namespace spurwerk

#endif
