#include "mixer/edit_steps.h"

#include "mixer/step_captions.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_values.h"
#include "project/value_format.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

const TrackParameter* ParameterOf(const MixerControl& control) {
    for (const TrackParameter& parameter : TrackParameters())
        if (parameter.control == control.element) return &parameter;
    return nullptr;
}

// "Track 3: EQ Mitte", "Master: Datei", "Projekt-Name".
std::string Subject(const MixerControl& control, const std::vector<int>& strips) {
    if (control.isProjectName) return UiTxt(UiText::StepProjectName);
    const bool master = control.kind == ControlKind::FileField && control.Offset() == layout::MasterWavNameOffset;
    const std::string tracks = master ? UiTxt(UiText::StepMaster) : TracksCaption(strips);
    const std::string name = control.element ? ParameterCaption(*control.element) : control.name;
    return (tracks.empty() ? Txt(298) : tracks) + ": " + name;
}

}  // namespace

std::string StepValueText(const Bytes& document, const MixerControl& control) {
    if (control.isProjectName) return TrimControlChars(ReadZDTString(document, control.Offset(), layout::ProjectNameLength));
    if (control.kind == ControlKind::FileField) {
        const std::string name = TrimBlanks(ReadWavName(document, control.Offset()));
        return name.empty() ? UiTxt(UiText::StepEmpty) : name;
    }
    if (!control.element || control.element->format == ValueFormat::None || !ParameterOf(control)) return "";
    return CaptionValue(control.element->format, ReadTrackRaw(document, *control.element, control.TagStrip()));
}

StepName ControlStepName(const MixerControl& control, const std::string& from, const std::string& to) {
    // A slider drag or typing in a field are one step.
    return StepName{Subject(control, {control.strip}), from, to,
                    control.IsSlider() || control.kind == ControlKind::FileField};
}

StepName AllStripStepName(const MixerControl& control, const std::vector<int>& strips) {
    // The all-strip writes nothing itself: its value is shown as a track would show it.
    std::string value;
    if (control.kind == ControlKind::StatusShape) value = CaptionValue(ValueFormat::Status, static_cast<int>(control.Status()));
    else if (control.IsCheckBox()) value = CaptionValue(ValueFormat::Box, control.Checked() ? 1 : 0);
    else if (control.element) value = CaptionValue(control.element->format, SliderRaw(*control.element, control.value));
    return StepName{Subject(control, strips), "", value, false};
}

StepName TransferStepName(int sourceStrip, int targetStrip, bool exchange, bool fileOnly) {
    std::string what = (fileOnly ? UiTxt(UiText::StepFile) + " " : "") + TracksCaption({sourceStrip}) +
                       (exchange ? " \u2194 " : " \u2192 ") + TracksCaption({targetStrip});
    if (!exchange) what += " " + Txt(299);
    return StepName{what, "", "", false};
}

StepName TrackCountStepName(int from, int to) {
    return StepName{UiTxt(UiText::StepTrackCount), std::to_string(from), std::to_string(to), false};
}

StepName CommandStepName(int questionText) {
    // What the command did, not the question it asked.
    switch (questionText) {
        case 287: return StepName{UiTxt(UiText::StepMarkAtEnd), "", "", false};
        case 288: return StepName{UiTxt(UiText::StepMarksAfterEnd), "", "", false};
        case 289: return StepName{UiTxt(UiText::StepAllMarks), "", "", false};
        default: break;
    }
    std::string text = TrimBlanks(Txt(questionText));
    while (!text.empty() && (text.back() == '?' || text.back() == ' ')) text.pop_back();
    return StepName{text, "", "", false};
}

}  // namespace spurwerk
