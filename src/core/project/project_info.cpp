#include "project/project_info.h"

#include <algorithm>

#include "io/name_lookup.h"
#include "io/path_text.h"
#include "io/wav_files.h"
#include "project/track_layout.h"
#include "project/value_texts.h"
#include "project/wav_header.h"
#include "settings/text_table.h"

namespace spurwerk {

std::string ProjectInfoLine(const Bytes& buffer, std::int32_t recordingEnd) {
    int depth = ReadZDTByte(buffer, layout::RecordingDepthOffset) * 8 + 16;
    bool wet = (ReadZDTByte(buffer, layout::InsertRecordingFlagOffset) & 1) != 0;
    return "[Total TIME = " + MillisecondsText(recordingEnd) + "]       (" + std::to_string(depth) + "-bit f. " +
           Txt(240) + " WAVs)               EFX-Insert-Recording: " + (wet ? "WET" : "DRY");
}

std::string AudioFolderOf(const std::string& projectFile) {
    std::string dir = ExtractFilePath(projectFile);
    return dir + FindNameIgnoringCase(dir, "AUDIO").value_or("AUDIO");
}

std::int32_t LongestWavDuration(const std::string& audioFolder) {
    std::int32_t longest = 0;
    std::error_code ignored;
    const WavFolder folder(AddTrailingBackslash(audioFolder), ignored);
    for (const std::string& name : folder.Files())
        longest = std::max(longest, WavDurationMs(ReadWavHeader(folder.Open(name, ignored))));
    return longest;
}

}  // namespace spurwerk
