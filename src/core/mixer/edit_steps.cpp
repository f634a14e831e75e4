#include "mixer/edit_steps.h"

#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/value_format.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

const TrackParameter* ParameterOf(const MixerControl& control) {
    for (const TrackParameter& parameter : TrackParameters())
        if (parameter.control == control.element) return &parameter;
    return nullptr;
}

std::string Label(const MixerControl& control) {
    if (control.isProjectName) return "Name";
    const TrackParameter* parameter = ParameterOf(control);
    return parameter ? parameter->name : control.name;
}

std::string TrackText(int strip) { return "Track " + std::to_string(strip + 1); }

}  // namespace

std::string StepValueText(const Bytes& document, const MixerControl& control) {
    if (control.isProjectName) return TrimControlChars(ReadZDTString(document, control.Offset(), layout::ProjectNameLength));
    if (control.kind == ControlKind::FileField) return ReadWavName(document, control.Offset());
    const TrackParameter* parameter = ParameterOf(control);
    return parameter ? FormatTrackValue(document, *parameter, control.TagStrip(), true, "", true) : "";
}

StepName ControlStepName(const MixerControl& control, const std::string& from, const std::string& to) {
    std::string what = Label(control);
    if (!control.isProjectName) what += control.kind == ControlKind::FileField && control.Offset() == layout::MasterWavNameOffset
                                            ? " Master"
                                            : " " + TrackText(control.strip);
    // A slider drag or typing in a field are one step.
    return StepName{what, from, to, control.IsSlider() || control.kind == ControlKind::FileField};
}

StepName AllStripStepName(const MixerControl& control) {
    // The all-strip writes nothing itself: its value is shown as a track would show it.
    std::string value;
    if (control.kind == ControlKind::StatusShape) {
        value = control.Status() == TrackStatus::Record ? "R" : control.Status() == TrackStatus::Play ? "+" : "-";
    } else if (control.IsCheckBox()) {
        value = control.Checked() ? "X" : "-";
    } else if (const TrackParameter* parameter = ParameterOf(control)) {
        Bytes scratch(MinProjectDataSize, 0);
        scratch[TagOffset(*control.element, 0)] = static_cast<std::uint8_t>(SliderRaw(*control.element, control.value));
        value = FormatTrackValue(scratch, *parameter, 0, true, "", true);
    }
    return StepName{Txt(298) + ": " + Label(control), "", value, false};
}

StepName TransferStepName(int sourceStrip, int targetStrip, bool exchange, bool fileOnly) {
    std::string what = (fileOnly ? "FileAss " : "") + TrackText(sourceStrip) + (exchange ? " \u2194 " : " \u2192 ") +
                       TrackText(targetStrip);
    if (!exchange) what += " " + Txt(299);
    return StepName{what, "", "", false};
}

StepName TrackCountStepName(int from, int to) {
    return StepName{"Tracks", std::to_string(from), std::to_string(to), false};
}

StepName CommandStepName(int questionText) {
    std::string text = TrimBlanks(Txt(questionText));
    while (!text.empty() && (text.back() == '?' || text.back() == ' ')) text.pop_back();
    return StepName{text, "", "", false};
}

}  // namespace spurwerk
