#include "project/project_check.h"

#include "project/track_layout.h"
#include "project/value_format.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

bool StartsWith(const Bytes& bytes, const char* magic) {
    for (std::size_t i = 0; magic[i]; ++i)
        if (i >= bytes.size() || bytes[i] != static_cast<std::uint8_t>(magic[i])) return false;
    return true;
}

}  // namespace

bool LooksLikeProject(const Bytes& document) {
    if (document.size() < MinProjectDataSize) return false;
    if (StartsWith(document, "RIFF") || StartsWith(document, "RF64")) return false;
    int fields = 0, outOfRange = 0;
    for (const StripElement& element : StripControls()) {
        if (element.kind != ControlKind::Slider && element.kind != ControlKind::GainSlider) continue;
        for (int k = 0; k < layout::TrackCount; ++k) {
            int raw = ReadZDTByte(document, TagOffset(element, k));
            ++fields;
            if (raw != ClampToStoredRange(element, raw)) ++outOfRange;
        }
    }
    return outOfRange * 2 <= fields;
}

std::string NotAProjectWarning(const Bytes& document) {
    if (document.empty() || LooksLikeProject(document)) return "";
    return Txt(300);
}

}  // namespace spurwerk
