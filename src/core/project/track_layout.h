#pragma once
// The R16 layout of PRJDATA.ZDT: where each track's parameters lie, how raw
// bytes encode values, and which mixer control is bound to which field. The
// R24 has no layout of its own; it uses this one with at most 16 tracks.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "project/zdt_document.h"

namespace spurwerk {

namespace layout {
constexpr std::size_t ProjectNameOffset = 52;
constexpr std::size_t ProjectNameLength = 8;
constexpr std::size_t RecordMaskOffset = 80;
constexpr std::size_t PlayMaskOffset = 84;
constexpr std::size_t InsertPositionOffset = 88;
constexpr std::size_t FaderBase = 96;
constexpr std::size_t PanBase = 160;
constexpr std::size_t ChorusLevelBase = 224;
constexpr std::size_t ReverbLevelBase = 288;
constexpr std::size_t InvertBase = 352;
constexpr std::size_t EqBlockBase = 416;
constexpr std::size_t EqBlockSize = 48;
constexpr std::size_t EqBandSize = 16;
constexpr std::size_t BandOnOffset = 0;
constexpr std::size_t BandFrequencyOffset = 4;
constexpr std::size_t BandQualityOffset = 8;
constexpr std::size_t BandGainOffset = 12;
constexpr std::size_t StereoLinkOffset = 1184;
constexpr std::size_t WavNameBase = 1192;
constexpr std::size_t WavNameSlot = 16;
constexpr std::size_t WavNameLength = 12;
constexpr std::size_t MasterWavNameOffset = 1448;
constexpr std::size_t ChorusOnMaskOffset = 1468;
constexpr std::size_t ReverbOnMaskOffset = 1472;
constexpr std::size_t MarkTableOffset = 2476;
constexpr int MarkSlots = 99;
constexpr std::size_t MarkSlotSize = 8;
constexpr std::size_t MarkCountOffset = 3268;
constexpr std::size_t InsertRecordingFlagOffset = 3284;
constexpr std::size_t RecordingDepthOffset = 3320;

constexpr int TrackCount = 16;
constexpr int MaxStripIndexR16 = 16;
constexpr int MaxStripIndexR24 = 24;
constexpr int GainMax = 12;  // EQ gain slider runs from -12 to +12

// EFXDATA.ZDT fields read for the effect labels.
constexpr std::size_t EfxInsertOffOffset = 96;
constexpr std::size_t EfxSendOffOffset = 98;
constexpr std::size_t EfxInsertNumberOffset = 150;
constexpr std::size_t EfxInsertNameOffset = 200;
constexpr std::size_t EfxChorusNumberOffset = 222;
constexpr std::size_t EfxChorusNameOffset = 232;
constexpr std::size_t EfxReverbNumberOffset = 254;
constexpr std::size_t EfxReverbNameOffset = 262;
constexpr std::size_t EfxNameLength = 8;

constexpr std::size_t BandBlock(int stripIndex, int band) {
    return EqBlockBase + EqBlockSize * static_cast<std::size_t>(stripIndex) + EqBandSize * static_cast<std::size_t>(band);
}
constexpr std::size_t WavNameOffset(int stripIndex) {
    return WavNameBase + WavNameSlot * static_cast<std::size_t>(stripIndex);
}
}  // namespace layout

// Frequency tables of the three bands, in Hz.
const std::vector<int>& HighFrequencyTable();
const std::vector<int>& MidFrequencyTable();
const std::vector<int>& LowFrequencyTable();

// 1 for n < 1, otherwise 1 shifted left by n within 16 bits (0 from n = 16 on).
std::uint16_t TrackBitMask(int n);

enum class TrackStatus { Off, Play, Record };
TrackStatus ReadTrackStatus(const Bytes& buffer, int stripIndex, std::size_t tagOffset = layout::RecordMaskOffset);
void WriteTrackStatus(ZDTDocument& doc, int stripIndex, TrackStatus status,
                      std::size_t tagOffset = layout::RecordMaskOffset);
// The other tracks of strip k's recording group (same number modulo 8, below
// trackCount): only one track of a group can record.
std::vector<int> RecordingGroupPartners(int stripIndex, int trackCount);

bool ReadStereoLink(const Bytes& buffer, int stripIndex);
void WriteStereoLink(ZDTDocument& doc, int stripIndex, bool linked);
bool ReadMaskBit(const Bytes& buffer, std::size_t offset, int stripIndex);
void WriteMaskBit(ZDTDocument& doc, std::size_t offset, int stripIndex, bool on);

// The WAV name of a field: the characters before the first NUL of its 12 bytes
// (12 blanks read as the name when the document is too short).
std::string ReadWavName(const Bytes& buffer, std::size_t offset);
// Writes the name (at most 12 characters) padded with NULs to 12 bytes.
void WriteWavName(ZDTDocument& doc, std::size_t offset, const std::string& name);

// The project name: 8 raw bytes at 52, trimmed of codes 0..32.
std::string ReadProjectName(const Bytes& buffer);

// --- Mixer controls bound to fields -------------------------------------------------

enum class ControlKind {
    TrackLabel,   // LabelTrackNr_
    StatusShape,  // ShStatus_
    FileField,    // EDFileAss_
    RowBox,       // caption-only check box (CBPan_, CBFader_, ...)
    StereoBox,    // CBStereo_
    BandBox,      // CBEQxH_ ...
    SendBox,      // CBReverb_, CBChorus_
    InvertBox,    // CBInvert_
    GainSlider,   // TBEQxH_ ...
    Slider,       // TBPan_, TBReverb_, TBChorus_, TBFader_, frequency and quality
};

// How a control's value is shown, parsed, clamped and hinted (project/value_format).
enum class ValueFormat {
    None,           // bound to nothing
    Status,         // record / play / off: "R", "+", "-"
    Box,            // on / off: "X", "-"
    WavName,        // file name of up to 8 characters + ".WAV"
    Pan,            // "C", "L100".."R100"
    Gain,           // dB = raw - 12
    Level,          // raw value in percent (fader and sends)
    HighFrequency,  // index into the band's frequency table
    MidFrequency,
    LowFrequency,
    Quality,        // (raw + 1) / 10
};

// The named elements of a strip in creation (component) order; an element
// indexes StripControls(), and the widget names derive from its prefix.
enum class Element : std::uint8_t {
    TrackLabel, Status, FileAss, PanRow, Pan, Stereo, EqTitleRow,
    EqHighOn, EqHighGain, EqMidOn, EqMidGain, EqLowOn, EqLowGain,
    ReverbOn, Reverb, ChorusOn, Chorus, FaderRow, Fader, Invert,
    HighHzRow, HighHz, MidHzRow, MidHz, LowHzRow, LowHz, MidQualRow, MidQual,
};
constexpr std::size_t ElementCount = static_cast<std::size_t>(Element::MidQual) + 1;

// One named element of a strip, in creation (component) order.
struct StripElement {
    Element id = Element::TrackLabel;
    // A band or send box and its slider name each other; any other element itself.
    Element partner = Element::TrackLabel;
    const char* prefix = "";  // "TBPan_"
    ControlKind kind = ControlKind::RowBox;
    ValueFormat format = ValueFormat::None;
    std::size_t base = 0;     // tag offset for strip 0 (0 = bound to nothing)
    std::size_t stride = 0;   // added per strip index
    int minimum = 0;          // slider positions; sliders only
    int maximum = 0;
    int initialPosition = 0;  // position after (re)building a strip
    int defaultValue = 0;     // slider position of the Alt reset
};

// All named strip elements in creation order (band controls for the
// high-mid-low file order; the screen order does not change component order).
const std::vector<StripElement>& StripControls();
const StripElement& ElementOf(Element element);
const StripElement* FindStripControl(const std::string& prefix);

// The tag offset of a strip element on strip k (0 when bound to nothing).
std::size_t TagOffset(const StripElement& element, int stripIndex);

// Name of a strip element: prefix + track number.
std::string ControlName(const StripElement& element, int stripIndex);

// The 20 parameter names of the track summary ("Status", "FileAss", "Pan",
// "Stereo[v]", ...), in component order, each with its control.
struct TrackParameter {
    std::string name;
    const StripElement* control;
};
const std::vector<TrackParameter>& TrackParameters();
const TrackParameter* FindTrackParameter(const std::string& name);  // "[v]" optional, case-insensitive

// Names of the controls bound to `offset` whose strip index is below
// trackCount, in component order (the project name field first).
std::vector<std::string> ControlsBoundTo(std::size_t offset, int trackCount);

}  // namespace spurwerk
