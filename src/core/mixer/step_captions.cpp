#include "mixer/step_captions.h"

#include <algorithm>
#include <utility>

#include "project/value_format.h"
#include "settings/ui_texts.h"

namespace spurwerk {

namespace {

const std::pair<const char*, UiText> Names[] = {
    {"ShStatus_", UiText::StepStatus},         {"EDFileAss_", UiText::StepFile},
    {"TBPan_", UiText::StepPan},               {"CBStereo_", UiText::StepStereo},
    {"CBEQxH_", UiText::StepEqHigh},           {"TBEQxH_", UiText::StepEqHigh},
    {"CBEQxM_", UiText::StepEqMid},            {"TBEQxM_", UiText::StepEqMid},
    {"CBEQxL_", UiText::StepEqLow},            {"TBEQxL_", UiText::StepEqLow},
    {"CBReverb_", UiText::StepReverb},         {"TBReverb_", UiText::StepReverb},
    {"CBChorus_", UiText::StepChorus},         {"TBChorus_", UiText::StepChorus},
    {"TBFader_", UiText::StepFader},           {"CBInvert_", UiText::StepInvert},
    {"TBEQHighHz_", UiText::StepEqHighHz},     {"TBEQMidHz_", UiText::StepEqMidHz},
    {"TBEQLowHz_", UiText::StepEqLowHz},       {"TBEQMidQual_", UiText::StepEqMidQuality},
};

std::string Signed(int value) { return (value > 0 ? "+" : "") + std::to_string(value); }

}  // namespace

std::string ParameterCaption(const StripElement& element) {
    for (const auto& [prefix, text] : Names)
        if (std::string(prefix) == element.prefix) return UiTxt(text);
    return element.prefix;
}

std::string CaptionValue(ValueFormat format, int raw) {
    switch (format) {
        case ValueFormat::Status:
            return UiTxt(raw == static_cast<int>(TrackStatus::Record) ? UiText::StepRecord
                         : raw == static_cast<int>(TrackStatus::Play) ? UiText::StepPlay
                                                                       : UiText::StepMute);
        case ValueFormat::Box: return UiTxt(raw != 0 ? UiText::StepOn : UiText::StepOff);
        case ValueFormat::Gain: return Signed(static_cast<int>(UnitValue(format, raw))) + " dB";
        case ValueFormat::HighFrequency:
        case ValueFormat::MidFrequency:
        case ValueFormat::LowFrequency: return ValueText(format, raw) + " Hz";
        default: return ValueText(format, raw);
    }
}

std::string TracksCaption(std::vector<int> strips, int masterStrip) {
    std::sort(strips.begin(), strips.end());
    strips.erase(std::unique(strips.begin(), strips.end()), strips.end());
    const bool master = !strips.empty() && strips.back() == masterStrip;
    if (master) strips.pop_back();
    std::string ranges;
    for (std::size_t i = 0; i < strips.size();) {
        std::size_t end = i;
        while (end + 1 < strips.size() && strips[end + 1] == strips[end] + 1) ++end;
        if (!ranges.empty()) ranges += ", ";
        ranges += std::to_string(strips[i] + 1);
        // Two neighbours are listed, three and more make a range.
        if (end == i + 1) ranges += ", " + std::to_string(strips[end] + 1);
        if (end > i + 1) ranges += "\u2013" + std::to_string(strips[end] + 1);
        i = end + 1;
    }
    std::string caption;
    if (!ranges.empty()) caption = UiTxt(strips.size() == 1 ? UiText::StepTrack : UiText::StepTracks, ranges);
    if (master) caption += (caption.empty() ? "" : ", ") + UiTxt(UiText::StepMaster);
    return caption;
}

}  // namespace spurwerk
