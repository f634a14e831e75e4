#include "new_project.h"

#include <cstdint>

#include "project/track_layout.h"
#include "text_field.h"
#include "track_mix.h"

namespace spurwerk::gen {

static_assert(NewProjectSize >= MinProjectDataSize);

ZDTDocument NewProjectDocument(const std::string& projectName, int bitsPerSample) {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(NewProjectSize, 0));
    WriteTextField(doc, layout::ProjectNameOffset, layout::ProjectNameLength, projectName);
    for (int strip = 0; strip < layout::TrackCount; ++strip) WriteTrackMix(doc, strip, TrackMix{});
    doc.WriteZDTByte(layout::RecordingDepthOffset, static_cast<std::uint8_t>((bitsPerSample - 16) / 8));
    return doc;
}

}  // namespace spurwerk::gen
