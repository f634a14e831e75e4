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

std::vector<int> RecordingGroupPartners(int stripIndex, int trackCount) {
    std::vector<int> partners;
    for (int other = stripIndex % 8; other < trackCount; other += 8)
        if (other != stripIndex) partners.push_back(other);
    return partners;
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
    using F = ValueFormat;
    using E = Element;
    constexpr std::size_t Mid = EqBandSize, Low = 2 * EqBandSize;
    static const std::vector<StripElement> controls = {
        {.id = E::TrackLabel, .partner = E::TrackLabel, .prefix = "LabelTrackNr_", .kind = K::TrackLabel},
        {.id = E::Status, .partner = E::Status, .prefix = "ShStatus_", .kind = K::StatusShape, .format = F::Status, .base = RecordMaskOffset},
        {.id = E::FileAss, .partner = E::FileAss, .prefix = "EDFileAss_", .kind = K::FileField, .format = F::WavName, .base = WavNameBase, .stride = WavNameSlot},
        {.id = E::PanRow, .partner = E::PanRow, .prefix = "CBPan_"},
        {.id = E::Pan, .partner = E::Pan, .prefix = "TBPan_", .kind = K::Slider, .format = F::Pan, .base = PanBase, .stride = 4, .maximum = 100,
         .initialPosition = 50, .defaultValue = 50},
        {.id = E::Stereo, .partner = E::Stereo, .prefix = "CBStereo_", .kind = K::StereoBox, .format = F::Box, .base = StereoLinkOffset},
        {.id = E::EqTitleRow, .partner = E::EqTitleRow, .prefix = "CBEQTitle_"},
        {.id = E::EqHighOn, .partner = E::EqHighGain, .prefix = "CBEQxH_", .kind = K::BandBox, .format = F::Box, .base = EqBlockBase + BandOnOffset,
         .stride = EqBlockSize},
        {.id = E::EqHighGain, .partner = E::EqHighOn, .prefix = "TBEQxH_", .kind = K::GainSlider, .format = F::Gain, .base = EqBlockBase + BandGainOffset,
         .stride = EqBlockSize, .minimum = -GainMax, .maximum = GainMax},
        {.id = E::EqMidOn, .partner = E::EqMidGain, .prefix = "CBEQxM_", .kind = K::BandBox, .format = F::Box, .base = EqBlockBase + Mid + BandOnOffset,
         .stride = EqBlockSize},
        {.id = E::EqMidGain, .partner = E::EqMidOn, .prefix = "TBEQxM_", .kind = K::GainSlider, .format = F::Gain, .base = EqBlockBase + Mid + BandGainOffset,
         .stride = EqBlockSize, .minimum = -GainMax, .maximum = GainMax},
        {.id = E::EqLowOn, .partner = E::EqLowGain, .prefix = "CBEQxL_", .kind = K::BandBox, .format = F::Box, .base = EqBlockBase + Low + BandOnOffset,
         .stride = EqBlockSize},
        {.id = E::EqLowGain, .partner = E::EqLowOn, .prefix = "TBEQxL_", .kind = K::GainSlider, .format = F::Gain, .base = EqBlockBase + Low + BandGainOffset,
         .stride = EqBlockSize, .minimum = -GainMax, .maximum = GainMax},
        {.id = E::ReverbOn, .partner = E::Reverb, .prefix = "CBReverb_", .kind = K::SendBox, .format = F::Box, .base = ReverbOnMaskOffset},
        {.id = E::Reverb, .partner = E::ReverbOn, .prefix = "TBReverb_", .kind = K::Slider, .format = F::Level, .base = ReverbLevelBase, .stride = 4,
         .maximum = 100},
        {.id = E::ChorusOn, .partner = E::Chorus, .prefix = "CBChorus_", .kind = K::SendBox, .format = F::Box, .base = ChorusOnMaskOffset},
        {.id = E::Chorus, .partner = E::ChorusOn, .prefix = "TBChorus_", .kind = K::Slider, .format = F::Level, .base = ChorusLevelBase, .stride = 4,
         .maximum = 100},
        {.id = E::FaderRow, .partner = E::FaderRow, .prefix = "CBFader_"},
        {.id = E::Fader, .partner = E::Fader, .prefix = "TBFader_", .kind = K::Slider, .format = F::Level, .base = FaderBase, .stride = 4, .maximum = 127},
        {.id = E::Invert, .partner = E::Invert, .prefix = "CBInvert_", .kind = K::InvertBox, .format = F::Box, .base = InvertBase, .stride = 4},
        {.id = E::HighHzRow, .partner = E::HighHzRow, .prefix = "CBEQHighHz_"},
        {.id = E::HighHz, .partner = E::HighHz, .prefix = "TBEQHighHz_", .kind = K::Slider, .format = F::HighFrequency,
         .base = EqBlockBase + BandFrequencyOffset, .stride = EqBlockSize, .maximum = 16, .initialPosition = 12,
         .defaultValue = 12},
        {.id = E::MidHzRow, .partner = E::MidHzRow, .prefix = "CBEQMidHz_"},
        {.id = E::MidHz, .partner = E::MidHz, .prefix = "TBEQMidHz_", .kind = K::Slider, .format = F::MidFrequency,
         .base = EqBlockBase + Mid + BandFrequencyOffset, .stride = EqBlockSize, .maximum = 27, .initialPosition = 14,
         .defaultValue = 14},
        {.id = E::LowHzRow, .partner = E::LowHzRow, .prefix = "CBEQLowHz_"},
        {.id = E::LowHz, .partner = E::LowHz, .prefix = "TBEQLowHz_", .kind = K::Slider, .format = F::LowFrequency,
         .base = EqBlockBase + Low + BandFrequencyOffset, .stride = EqBlockSize, .maximum = 16, .initialPosition = 5,
         .defaultValue = 5},
        {.id = E::MidQualRow, .partner = E::MidQualRow, .prefix = "CBEQMidQual_"},
        {.id = E::MidQual, .partner = E::MidQual, .prefix = "TBEQMidQual_", .kind = K::Slider, .format = F::Quality, .base = EqBlockBase + Mid + BandQualityOffset,
         .stride = EqBlockSize, .maximum = 9, .initialPosition = 4, .defaultValue = 4},
    };
    return controls;
}

const StripElement& ElementOf(Element element) { return StripControls()[static_cast<std::size_t>(element)]; }

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
