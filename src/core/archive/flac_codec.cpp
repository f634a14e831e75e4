#include "archive/flac_codec.h"

#include <FLAC/stream_decoder.h>
#include <FLAC/stream_encoder.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "archive/archive_error.h"
#include "io/shared_library.h"
#include "settings/file_error_text.h"

namespace spurwerk {

namespace {

// libFLAC, opened on the first FLAC stream.
#define FLAC_FUNCTIONS(X) X(FLAC__StreamDecoderErrorStatusString) X(FLAC__stream_decoder_delete) \
    X(FLAC__stream_decoder_finish) X(FLAC__stream_decoder_get_bits_per_sample) \
    X(FLAC__stream_decoder_get_channels) X(FLAC__stream_decoder_get_sample_rate) \
    X(FLAC__stream_decoder_get_state) X(FLAC__stream_decoder_get_total_samples) \
    X(FLAC__stream_decoder_init_stream) X(FLAC__stream_decoder_new) \
    X(FLAC__stream_decoder_process_until_end_of_stream) X(FLAC__stream_decoder_set_md5_checking) \
    X(FLAC__stream_encoder_delete) X(FLAC__stream_encoder_finish) \
    X(FLAC__stream_encoder_get_resolved_state_string) X(FLAC__stream_encoder_init_stream) \
    X(FLAC__stream_encoder_new) X(FLAC__stream_encoder_process_interleaved) \
    X(FLAC__stream_encoder_set_bits_per_sample) X(FLAC__stream_encoder_set_channels) \
    X(FLAC__stream_encoder_set_compression_level) X(FLAC__stream_encoder_set_sample_rate) \
    X(FLAC__stream_encoder_set_total_samples_estimate)
SPURWERK_SHARED_API(FlacApi, Flac, FLAC_FUNCTIONS, {SPURWERK_FLAC_SONAME, SPURWERK_FLAC_PATH})

}  // namespace

namespace {

bool Seek(std::FILE* file, std::uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

FLAC__StreamEncoderWriteStatus WriteOut(const FLAC__StreamEncoder*, const FLAC__byte buffer[], size_t bytes, unsigned,
                                        unsigned, void* client) {
    auto* file = static_cast<std::FILE*>(client);
    return std::fwrite(buffer, 1, bytes, file) == bytes ? FLAC__STREAM_ENCODER_WRITE_STATUS_OK
                                                        : FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
}
FLAC__StreamEncoderSeekStatus SeekOut(const FLAC__StreamEncoder*, FLAC__uint64 offset, void* client) {
    return Seek(static_cast<std::FILE*>(client), offset) ? FLAC__STREAM_ENCODER_SEEK_STATUS_OK
                                                         : FLAC__STREAM_ENCODER_SEEK_STATUS_ERROR;
}
FLAC__StreamEncoderTellStatus TellOut(const FLAC__StreamEncoder*, FLAC__uint64* offset, void* client) {
#ifdef _WIN32
    long long at = _ftelli64(static_cast<std::FILE*>(client));
#else
    off_t at = ftello(static_cast<std::FILE*>(client));
#endif
    if (at < 0) return FLAC__STREAM_ENCODER_TELL_STATUS_ERROR;
    *offset = static_cast<FLAC__uint64>(at);
    return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}

std::string SystemReason() {
    return SystemErrorInLanguage(std::error_code(errno ? errno : EIO, std::generic_category()));
}

}  // namespace

struct FlacEncoder::State {
    FLAC__StreamEncoder* encoder = nullptr;
    std::FILE* out = nullptr;
    PcmFormat format;
    std::vector<FLAC__int32> samples;
    bool finished = false;
};

FlacEncoder::FlacEncoder(std::FILE* out, const PcmFormat& format, int level, std::uint64_t totalFrames)
    : state_(std::make_unique<State>()) {
    state_->out = out;
    state_->format = format;
    state_->encoder = Flac().FLAC__stream_encoder_new();
    if (!state_->encoder) throw ArchiveError(CliText::ArchiveOutOfMemory, {"FLAC"});
    FLAC__StreamEncoder* e = state_->encoder;
    Flac().FLAC__stream_encoder_set_channels(e, format.channels);
    Flac().FLAC__stream_encoder_set_bits_per_sample(e, format.bitsPerSample);
    Flac().FLAC__stream_encoder_set_sample_rate(e, format.sampleRate);
    Flac().FLAC__stream_encoder_set_compression_level(e, static_cast<unsigned>(level));
    Flac().FLAC__stream_encoder_set_total_samples_estimate(e, totalFrames);
    if (Flac().FLAC__stream_encoder_init_stream(e, WriteOut, SeekOut, TellOut, nullptr, out) !=
        FLAC__STREAM_ENCODER_INIT_STATUS_OK)
        throw ArchiveError(CliText::ArchiveFlacEncoder, {Flac().FLAC__stream_encoder_get_resolved_state_string(e)});
}

FlacEncoder::~FlacEncoder() {
    if (!state_->finished) Flac().FLAC__stream_encoder_finish(state_->encoder);
    Flac().FLAC__stream_encoder_delete(state_->encoder);
}

void FlacEncoder::Feed(const std::uint8_t* data, std::size_t bytes) {
    const unsigned width = state_->format.bitsPerSample / 8;
    const std::size_t count = bytes / width;
    auto& samples = state_->samples;
    samples.resize(count);
    if (width == 2) {
        for (std::size_t i = 0; i < count; ++i, data += 2)
            samples[i] = static_cast<std::int16_t>(data[0] | data[1] << 8);
    } else {
        for (std::size_t i = 0; i < count; ++i, data += 3) {
            std::uint32_t u = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16;
            samples[i] = static_cast<FLAC__int32>(u ^ 0x800000u) - 0x800000;
        }
    }
    errno = 0;
    if (!Flac().FLAC__stream_encoder_process_interleaved(state_->encoder, samples.data(),
                                                  static_cast<unsigned>(count / state_->format.channels)))
        throw ArchiveError(CliText::ArchiveFlacEncoder, {SystemReason()});
}

void FlacEncoder::Finish() {
    state_->finished = true;
    errno = 0;
    if (!Flac().FLAC__stream_encoder_finish(state_->encoder) || std::fflush(state_->out) != 0 || std::ferror(state_->out))
        throw ArchiveError(CliText::ArchiveFlacEncoder, {SystemReason()});
}

namespace {

struct DecodeState {
    const PcmFormat* expected;
    const ByteSource* read;
    const ByteSink* write;
    std::vector<std::uint8_t> bytes;
    std::string problem;
    std::exception_ptr sinkError;
    bool formatDiffers;  // a frame's channels or bits are not the manifest's
};

FLAC__StreamDecoderReadStatus ReadIn(const FLAC__StreamDecoder*, FLAC__byte buffer[], size_t* bytes, void* client) {
    auto* state = static_cast<DecodeState*>(client);
    try {
        *bytes = (*state->read)(buffer, *bytes);
    } catch (...) {
        state->sinkError = std::current_exception();
        return FLAC__STREAM_DECODER_READ_STATUS_ABORT;
    }
    return *bytes == 0 ? FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM : FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
}

FLAC__StreamDecoderWriteStatus WriteIn(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                       const FLAC__int32* const buffer[], void* client) {
    auto* state = static_cast<DecodeState*>(client);
    const PcmFormat& f = *state->expected;
    if (frame->header.channels != f.channels || frame->header.bits_per_sample != f.bitsPerSample) {
        state->formatDiffers = true;
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    }
    const unsigned width = f.bitsPerSample / 8;
    const unsigned blocksize = frame->header.blocksize;
    state->bytes.resize(std::size_t{blocksize} * f.channels * width);
    std::uint8_t* out = state->bytes.data();
    for (unsigned i = 0; i < blocksize; ++i)
        for (unsigned c = 0; c < f.channels; ++c) {
            auto v = static_cast<std::uint32_t>(buffer[c][i]);
            *out++ = static_cast<std::uint8_t>(v);
            *out++ = static_cast<std::uint8_t>(v >> 8);
            if (width == 3) *out++ = static_cast<std::uint8_t>(v >> 16);
        }
    try {
        (*state->write)(state->bytes.data(), state->bytes.size());
    } catch (...) {
        state->sinkError = std::current_exception();
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    }
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

void ErrorIn(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus status, void* client) {
    auto* state = static_cast<DecodeState*>(client);
    if (state->problem.empty()) state->problem = (*Flac().FLAC__StreamDecoderErrorStatusString)[status];
}

}  // namespace

void DecodeFlac(const PcmFormat& expected, const ByteSource& read, const ByteSink& write, const std::string& what) {
    DecodeState state{&expected, &read, &write, {}, {}, nullptr, false};
    FLAC__StreamDecoder* decoder = Flac().FLAC__stream_decoder_new();
    if (!decoder) throw ArchiveError(CliText::ArchiveOutOfMemory, {"FLAC"});
    Flac().FLAC__stream_decoder_set_md5_checking(decoder, true);
    bool ok = Flac().FLAC__stream_decoder_init_stream(decoder, ReadIn, nullptr, nullptr, nullptr, nullptr, WriteIn, nullptr,
                                               ErrorIn, &state) == FLAC__STREAM_DECODER_INIT_STATUS_OK;
    ok = ok && Flac().FLAC__stream_decoder_process_until_end_of_stream(decoder);
    bool streamEnded = Flac().FLAC__stream_decoder_get_state(decoder) == FLAC__STREAM_DECODER_END_OF_STREAM;
    FLAC__uint64 frames = Flac().FLAC__stream_decoder_get_total_samples(decoder);
    unsigned channels = Flac().FLAC__stream_decoder_get_channels(decoder);
    unsigned bits = Flac().FLAC__stream_decoder_get_bits_per_sample(decoder);
    unsigned rate = Flac().FLAC__stream_decoder_get_sample_rate(decoder);
    // finish() checks the MD5 signature of the decoded samples.
    bool md5Ok = Flac().FLAC__stream_decoder_finish(decoder);
    Flac().FLAC__stream_decoder_delete(decoder);
    if (state.sinkError) std::rethrow_exception(state.sinkError);
    if (state.formatDiffers) throw ArchiveError(CliText::ArchiveFlacFormat, {what});
    if (!state.problem.empty()) throw ArchiveError(CliText::ArchiveFlacDamagedWhy, {what, state.problem});
    if (!ok || !streamEnded) throw ArchiveError(CliText::ArchiveFlacDamaged, {what});
    if (!md5Ok) throw ArchiveError(CliText::ArchiveFlacMd5, {what});
    if (channels != expected.channels || bits != expected.bitsPerSample || rate != expected.sampleRate)
        throw ArchiveError(CliText::ArchiveFlacFormat, {what});
    (void)frames;
}

}  // namespace spurwerk
