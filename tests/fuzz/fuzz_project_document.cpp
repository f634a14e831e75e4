// A project file from anywhere: the accessors behind the track summary (every
// group, both forms, any track count), the info line, the mark listing and the
// mixer reading all its controls from it.

#include "fuzz_support.h"
#include "mixer/mixer_view_model.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "project/project_session.h"
#include "project/track_layout.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> groups = [] {
        std::vector<std::string> names{"Bogus"};
        for (const TrackParameter& parameter : TrackParameters()) names.push_back(parameter.name);
        return names;
    }();
    static fuzz::SilentDialogs dialogs;
    static ProjectSession session;
    static ZDTDocument& doc = session.doc;
    static MixerViewModel r16(session, dialogs, MixerOptions{});
    static MixerViewModel r24(session, dialogs, [] {
        MixerOptions options;
        options.devIsZoomR24 = true;
        options.trackCount = 24;
        return options;
    }());

    Bytes buffer(data, data + size);
    // The recording end comes from WAV headers, so any 32-bit value can arrive.
    auto recordingEnd = static_cast<std::int32_t>(ReadZDTLong(buffer, 0) ^ ReadZDTLong(buffer, size / 2));
    int trackCount = size > 0 ? static_cast<int>(data[size - 1] % 26) - 1 : 16;

    for (bool compact : {false, true})
        (void)BuildTrackSummary(buffer, TrackSummaryOptions{compact, groups, trackCount});
    (void)ReadProjectName(buffer);
    (void)ProjectInfoLine(buffer, recordingEnd);
    (void)MarkListing(buffer, recordingEnd);
    (void)HasEndMark(buffer, recordingEnd);
    (void)MarksAfter(buffer, recordingEnd);
    // Inserting the end mark works on whatever mark table the file holds.
    ZDTDocument marks;
    marks.ReplaceZDTData(buffer);
    (void)SetEndMark(marks, recordingEnd, dialogs);
    (void)ListMarks(marks.ZDTData());
    for (std::size_t offset = 0; offset < 64; ++offset) (void)ControlsBoundTo(offset * 53, trackCount);
    for (MixerViewModel* mixer : {&r16, &r24}) {
        doc.ReplaceZDTData(buffer);
        mixer->Controls().ReadAll();
    }
    return 0;
}
