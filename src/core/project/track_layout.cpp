#include "project/track_layout.h"

#include "text/ascii.h"

#include <algorithm>

namespace spurwerk {

using namespace layout;

const std::vector<int>& MidFrequencyTable() {
    static const std::vector<int> table = {40,   50,   63,   80,   100,  125,  160,   200,   250,   315,
                                           400,  500,  630,  800,  1000, 1300, 1600,  2000,  2500,  3200,
                                           4000, 5000, 6300, 8000, 10000, 12500, 16000, 18000};
    return table;
}

const std::vector<int>& HighFrequencyTable() {
    static const std::vector<int> table(MidFrequencyTable().begin() + 11, MidFrequencyTable().end());
    return table;
}

const std::vector<int>& LowFrequencyTable() {
    static const std::vector<int> table(MidFrequencyTable().begin(), MidFrequencyTable().begin() + 17);
    return table;
}

int FrequencyAt(const std::vector<int>& table, int index) {
    if (index < 0 || index >= static_cast<int>(table.size())) return 0;
    return table[static_cast<std::size_t>(index)];
}

std::uint16_t TrackBitMask(int n) {
    if (n < 1) return 1;
    if (n >= 16) return 0;
    return static_cast<std::uint16_t>(1u << n);
}

TrackStatus ReadTrackStatus(const Bytes& buffer, int stripIndex, std::size_t tagOffset) {
    std::uint16_t mask = TrackBitMask(stripIndex);
    if (ReadZDTWord(buffer, tagOffset) & mask) return TrackStatus::Record;
    if (ReadZDTWord(buffer, tagOffset + 4) & mask) return TrackStatus::Play;
    return TrackStatus::Off;
}

void WriteTrackStatus(ZDTDocument& doc, int stripIndex, TrackStatus status, std::size_t tagOffset) {
    std::uint16_t mask = TrackBitMask(stripIndex);
    std::uint16_t record = doc.ReadWord(tagOffset);
    std::uint16_t play = doc.ReadWord(tagOffset + 4);
    record = static_cast<std::uint16_t>(status == TrackStatus::Record ? record | mask : record & ~mask);
    play = static_cast<std::uint16_t>(status == TrackStatus::Off ? play & ~mask : play | mask);
    doc.WriteZDTWord(tagOffset, record);
    doc.WriteZDTWord(tagOffset + 4, play);
}

bool ReadStereoLink(const Bytes& buffer, int stripIndex) {
    return (ReadZDTByte(buffer, StereoLinkOffset) & TrackBitMask(stripIndex / 2)) != 0;
}

void WriteStereoLink(ZDTDocument& doc, int stripIndex, bool linked) {
    std::uint8_t mask = static_cast<std::uint8_t>(TrackBitMask(stripIndex / 2));
    std::uint8_t value = doc.ReadByte(StereoLinkOffset);
    doc.WriteZDTByte(StereoLinkOffset, static_cast<std::uint8_t>(linked ? value | mask : value & ~mask));
}

bool ReadMaskBit(const Bytes& buffer, std::size_t offset, int stripIndex) {
    return (ReadZDTWord(buffer, offset) & TrackBitMask(stripIndex)) != 0;
}

void WriteMaskBit(ZDTDocument& doc, std::size_t offset, int stripIndex, bool on) {
    std::uint16_t mask = TrackBitMask(stripIndex);
    std::uint16_t value = doc.ReadWord(offset);
    doc.WriteZDTWord(offset, static_cast<std::uint16_t>(on ? value | mask : value & ~mask));
}

std::string ReadWavName(const Bytes& buffer, std::size_t offset) {
    std::string raw = ReadZDTString(buffer, offset, WavNameLength);
    return raw.substr(0, raw.find('\0'));
}

void WriteWavName(ZDTDocument& doc, std::size_t offset, const std::string& name) {
    std::string padded = name.substr(0, WavNameLength);
    padded.resize(WavNameLength, '\0');
    doc.WriteZDTString(offset, padded);
}

std::string ReadProjectName(const Bytes& buffer) {
    return TrimControlChars(ReadZDTString(buffer, ProjectNameOffset, ProjectNameLength));
}

const std::vector<StripElement>& StripControls() {
    using K = ControlKind;
    static const std::vector<StripElement> controls = {
        {"LabelTrackNr_", K::TrackLabel, 0, 0},
        {"ShStatus_", K::StatusShape, RecordMaskOffset, 0},
        {"EDFileAss_", K::FileField, WavNameBase, WavNameSlot},
        {"CBPan_", K::RowBox, 0, 0},
        {"TBPan_", K::Slider, PanBase, 4, 0, 100, 50, 50},
        {"CBStereo_", K::StereoBox, StereoLinkOffset, 0},
        {"CBEQTitle_", K::RowBox, 0, 0},
        {"CBEQxH_", K::BandBox, EqBlockBase + BandOnOffset, EqBlockSize},
        {"TBEQxH_", K::GainSlider, EqBlockBase + BandGainOffset, EqBlockSize, -12, 12, 0, 0, "dB"},
        {"CBEQxM_", K::BandBox, EqBlockBase + EqBandSize + BandOnOffset, EqBlockSize},
        {"TBEQxM_", K::GainSlider, EqBlockBase + EqBandSize + BandGainOffset, EqBlockSize, -12, 12, 0, 0, "dB"},
        {"CBEQxL_", K::BandBox, EqBlockBase + 2 * EqBandSize + BandOnOffset, EqBlockSize},
        {"TBEQxL_", K::GainSlider, EqBlockBase + 2 * EqBandSize + BandGainOffset, EqBlockSize, -12, 12, 0, 0, "dB"},
        {"CBReverb_", K::SendBox, ReverbOnMaskOffset, 0},
        {"TBReverb_", K::Slider, ReverbLevelBase, 4, 0, 100, 0, 0, "%"},
        {"CBChorus_", K::SendBox, ChorusOnMaskOffset, 0},
        {"TBChorus_", K::Slider, ChorusLevelBase, 4, 0, 100, 0, 0, "%"},
        {"CBFader_", K::RowBox, 0, 0},
        {"TBFader_", K::Slider, FaderBase, 4, 0, 127, 0, 0, "%"},
        {"CBInvert_", K::InvertBox, InvertBase, 4},
        {"CBEQHighHz_", K::RowBox, 0, 0},
        {"TBEQHighHz_", K::Slider, EqBlockBase + BandFrequencyOffset, EqBlockSize, 0, 16, 12, 12, "Hz"},
        {"CBEQMidHz_", K::RowBox, 0, 0},
        {"TBEQMidHz_", K::Slider, EqBlockBase + EqBandSize + BandFrequencyOffset, EqBlockSize, 0, 27, 14, 14, "Hz"},
        {"CBEQLowHz_", K::RowBox, 0, 0},
        {"TBEQLowHz_", K::Slider, EqBlockBase + 2 * EqBandSize + BandFrequencyOffset, EqBlockSize, 0, 16, 5, 5, "Hz"},
        {"CBEQMidQual_", K::RowBox, 0, 0},
        {"TBEQMidQual_", K::Slider, EqBlockBase + EqBandSize + BandQualityOffset, EqBlockSize, 0, 9, 4, 4},
    };
    return controls;
}

const StripElement* FindStripControl(const std::string& prefix) {
    for (const auto& element : StripControls())
        if (prefix == element.prefix) return &element;
    return nullptr;
}

std::size_t TagOffset(const StripElement& element, int stripIndex) {
    if (element.base == 0) return 0;
    return element.base + element.stride * static_cast<std::size_t>(stripIndex);
}

std::string ControlName(const StripElement& element, int stripIndex) {
    return std::string(element.prefix) + std::to_string(stripIndex + 1);
}

namespace {
bool IsCheckBox(ControlKind kind) {
    return kind == ControlKind::RowBox || kind == ControlKind::StereoBox || kind == ControlKind::BandBox ||
           kind == ControlKind::SendBox || kind == ControlKind::InvertBox;
}
}  // namespace

const std::vector<TrackParameter>& TrackParameters() {
    static const std::vector<TrackParameter> parameters = [] {
        std::vector<TrackParameter> list;
        for (const auto& element : StripControls()) {
            if (element.base == 0) continue;
            std::string prefix = element.prefix;
            std::string name = prefix.substr(2, prefix.find('_') - 2);
            if (IsCheckBox(element.kind)) name += "[v]";
            list.push_back({name, &element});
        }
        return list;
    }();
    return parameters;
}

const TrackParameter* FindTrackParameter(const std::string& name) {
    for (const auto& p : TrackParameters())
        if (EqualsIgnoreCase(p.name, name)) return &p;
    // "[v]" may be left out.
    for (const auto& p : TrackParameters())
        if (EqualsIgnoreCase(p.name, name + "[v]")) return &p;
    return nullptr;
}

std::vector<std::string> ControlsBoundTo(std::size_t offset, int trackCount) {
    std::vector<std::string> names;
    if (offset == ProjectNameOffset) names.push_back("EditProjName");
    int strips = std::min(trackCount, MaxStripIndexR16);
    for (int k = 0; k < strips; ++k)
        for (const auto& element : StripControls())
            if (element.base != 0 && TagOffset(element, k) == offset) names.push_back(ControlName(element, k));
    return names;
}

}  // namespace spurwerk
