#include "wav_writer.h"

#include <string>

namespace spurwerk::gen {

namespace {

void PutText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void PutWord(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLong(Bytes& out, std::uint32_t value) {
    PutWord(out, static_cast<std::uint16_t>(value));
    PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

// LIST/INFO with one ISFT entry; its odd text length exercises the pad byte.
Bytes ListChunk() {
    const std::string software = "Spurwerk";  // 8 characters + NUL = 9, padded to 10
    Bytes body;
    PutText(body, "INFO");
    PutText(body, "ISFT");
    PutLong(body, static_cast<std::uint32_t>(software.size() + 1));
    PutText(body, software);
    body.push_back(0);
    if (body.size() % 2 != 0) body.push_back(0);
    Bytes chunk;
    PutText(chunk, "LIST");
    PutLong(chunk, static_cast<std::uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

std::uint32_t FrameCount(const SilentWav& format) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(format.sampleRate) * format.durationMs / 1000);
}

Bytes BuildSilentWav(const SilentWav& format) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * (format.bitsPerSample / 8));
    const std::uint32_t dataSize = FrameCount(format) * blockAlign;
    const Bytes list = format.listChunk ? ListChunk() : Bytes{};

    Bytes out;
    out.reserve(44 + list.size() + dataSize + 1);
    PutText(out, "RIFF");
    PutLong(out, 0);  // patched below
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutLong(out, 16);
    PutWord(out, 1);  // PCM
    PutWord(out, format.channels);
    PutLong(out, format.sampleRate);
    PutLong(out, format.sampleRate * blockAlign);
    PutWord(out, blockAlign);
    PutWord(out, format.bitsPerSample);
    out.insert(out.end(), list.begin(), list.end());
    PutText(out, "data");
    PutLong(out, dataSize);
    out.resize(out.size() + dataSize, 0);
    if (dataSize % 2 != 0) out.push_back(0);

    const std::uint32_t riffSize = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    return out;
}

void WriteSilentWav(const std::filesystem::path& path, const SilentWav& format) {
    WriteFileAtomically(path, BuildSilentWav(format));
}

}  // namespace spurwerk::gen
