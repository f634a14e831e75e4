#include "track_mix.h"

#include <cstdint>

namespace spurwerk::gen {

namespace {

std::size_t Slot(std::size_t base, int stripIndex) { return base + 4 * static_cast<std::size_t>(stripIndex); }

void WriteBand(ZDTDocument& doc, int stripIndex, int band, const BandSetting& setting) {
    const std::size_t block = layout::BandBlock(stripIndex, band);
    doc.WriteZDTByte(block + layout::BandOnOffset, setting.on ? 1 : 0);
    doc.WriteZDTByte(block + layout::BandFrequencyOffset, static_cast<std::uint8_t>(setting.frequencyIndex));
    doc.WriteZDTByte(block + layout::BandGainOffset, static_cast<std::uint8_t>(setting.gainDb + layout::GainMax));
}

}  // namespace

void WriteTrackMix(ZDTDocument& doc, int stripIndex, const TrackMix& mix) {
    WriteTrackStatus(doc, stripIndex, mix.status);
    doc.WriteZDTByte(Slot(layout::FaderBase, stripIndex), static_cast<std::uint8_t>(mix.fader));
    doc.WriteZDTByte(Slot(layout::PanBase, stripIndex), static_cast<std::uint8_t>(mix.pan));
    doc.WriteZDTByte(Slot(layout::ChorusLevelBase, stripIndex), static_cast<std::uint8_t>(mix.chorus));
    doc.WriteZDTByte(Slot(layout::ReverbLevelBase, stripIndex), static_cast<std::uint8_t>(mix.reverb));
    doc.WriteZDTByte(Slot(layout::InvertBase, stripIndex), mix.invert ? 1 : 0);
    WriteMaskBit(doc, layout::ChorusOnMaskOffset, stripIndex, mix.chorusOn);
    WriteMaskBit(doc, layout::ReverbOnMaskOffset, stripIndex, mix.reverbOn);
    WriteBand(doc, stripIndex, 0, mix.high);
    WriteBand(doc, stripIndex, 1, mix.mid);
    WriteBand(doc, stripIndex, 2, mix.low);
    // Only the mid band has a quality.
    doc.WriteZDTByte(layout::BandBlock(stripIndex, 1) + layout::BandQualityOffset,
                     static_cast<std::uint8_t>(mix.midQuality));
    WriteWavName(doc, layout::WavNameOffset(stripIndex), mix.wavName);
}

}  // namespace spurwerk::gen
