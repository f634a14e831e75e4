#include "test_bytes.h"

#include <algorithm>

#include "project/track_layout.h"
#include "test_files.h"
#include "test_wavs.h"

namespace spurwerk::testing {

namespace {

void PutLittle(Bytes& b, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void SetLittle(Bytes& b, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) b.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void PutWord(Bytes& b, std::uint16_t value) { PutLittle(b, value, 2); }
void PutLong(Bytes& b, std::uint32_t value) { PutLittle(b, value, 4); }
void PutText(Bytes& b, const std::string& text) { b.insert(b.end(), text.begin(), text.end()); }
void SetWord(Bytes& b, std::size_t at, std::uint16_t value) { SetLittle(b, at, value, 2); }
void SetLong(Bytes& b, std::size_t at, std::uint32_t value) { SetLittle(b, at, value, 4); }

Bytes Chunk(const std::string& id, std::uint32_t length, std::int64_t bodyBytes) {
    Bytes b;
    PutText(b, id);
    PutLong(b, length);
    std::size_t body = bodyBytes < 0 ? length + (length & 1) : static_cast<std::size_t>(bodyBytes);
    b.resize(b.size() + body, 0);
    return b;
}

Bytes FmtChunk(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::uint16_t blockAlign) {
    if (blockAlign == 0) blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    Bytes b = Chunk("fmt ", 16, 0);
    PutWord(b, 1);
    PutWord(b, channels);
    PutLong(b, rate);
    PutLong(b, rate * blockAlign);
    PutWord(b, blockAlign);
    PutWord(b, bits);
    return b;
}

Bytes Riff(const std::string& form, std::initializer_list<Bytes> chunks) {
    std::size_t size = form.size();
    for (const Bytes& c : chunks) size += c.size();
    Bytes b;
    PutText(b, "RIFF");
    PutLong(b, static_cast<std::uint32_t>(size));
    PutText(b, form);
    for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
    return b;
}

Bytes WavBytes(std::uint32_t durationMs, std::uint16_t channels, std::uint16_t bits, std::uint32_t rate) {
    const auto frames = static_cast<std::size_t>(std::uint64_t{rate} * durationMs / 1000);
    return BuildWav({.channels = channels, .rate = rate, .bits = bits}, Bytes(frames * channels * bits / 8, 0));
}

void WriteWav(const std::filesystem::path& path, std::uint32_t durationMs) {
    WriteBytes(path, WavBytes(durationMs, 1, 16, 1000));
}

Bytes ProjectBytes(const ProjectSetup& setup) {
    ZDTDocument doc;
    // Built full size, then cut: a short file keeps the head of a project.
    doc.ReplaceZDTData(Bytes(std::max(setup.size, MinProjectDataSize), 0));
    if (setup.deviceDefaults) {
        for (int k = 0; k < 16; ++k) {
            doc.WriteZDTByte(layout::PanBase + 4 * static_cast<std::size_t>(k), 50);
            for (int band = 0; band < 3; ++band) doc.WriteZDTByte(layout::BandBlock(k, band) + layout::BandGainOffset, 12);
            doc.WriteZDTByte(layout::BandBlock(k, 0) + layout::BandFrequencyOffset, 12);
            doc.WriteZDTByte(layout::BandBlock(k, 1) + layout::BandFrequencyOffset, 14);
            doc.WriteZDTByte(layout::BandBlock(k, 1) + layout::BandQualityOffset, 4);
            doc.WriteZDTByte(layout::BandBlock(k, 2) + layout::BandFrequencyOffset, 5);
        }
        doc.WriteZDTWord(layout::PlayMaskOffset, 0xFFFF);
    }
    std::string name = setup.name;
    name.resize(layout::ProjectNameLength, '\0');
    doc.WriteZDTString(layout::ProjectNameOffset, name);
    for (std::size_t i = 0; i < setup.wavNames.size(); ++i)
        WriteWavName(doc, layout::WavNameOffset(static_cast<int>(i)), setup.wavNames[i]);
    if (!setup.masterWav.empty()) WriteWavName(doc, layout::MasterWavNameOffset, setup.masterWav);
    doc.WriteZDTByte(layout::RecordingDepthOffset, setup.bits24 ? 1 : 0);
    doc.WriteZDTByte(layout::InsertRecordingFlagOffset, setup.wet ? 1 : 0);
    for (int strip : setup.stereoStrips) WriteStereoLink(doc, strip, true);
    for (std::size_t i = 0; i < setup.marks.size(); ++i)
        doc.WriteZDTLong(layout::MarkTableOffset + layout::MarkSlotSize * i, static_cast<std::uint32_t>(setup.marks[i]));
    doc.WriteZDTByte(layout::MarkCountOffset, static_cast<std::uint8_t>(setup.marks.size()));
    Bytes bytes = doc.ZDTData();
    bytes.resize(setup.size);
    return bytes;
}

Bytes BlankProject() { return ProjectBytes({.name = "", .deviceDefaults = true, .size = 3400}); }

}  // namespace spurwerk::testing
