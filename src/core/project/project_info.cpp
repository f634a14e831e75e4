#include "project/project_info.h"

#include <algorithm>
#include <filesystem>

#include "io/path_text.h"
#include "project/track_layout.h"
#include "project/value_texts.h"
#include "project/wav_header.h"
#include "settings/text_table.h"
#include "text/ascii.h"

namespace spurwerk {

namespace fs = std::filesystem;

std::string ProjectInfoLine(const Bytes& buffer, std::int32_t recordingEnd) {
    int depth = ReadZDTByte(buffer, layout::RecordingDepthOffset) * 8 + 16;
    bool wet = (ReadZDTByte(buffer, layout::InsertRecordingFlagOffset) & 1) != 0;
    return "[Total TIME = " + MillisecondsText(recordingEnd) + "]       (" + std::to_string(depth) + "-bit f. " +
           Txt(240) + " WAVs)               EFX-Insert-Recording: " + (wet ? "WET" : "DRY");
}

std::string AudioFolderOf(const std::string& projectFile) {
    return PathText(PathFromText(projectFile).parent_path() / "AUDIO");
}

std::int32_t LongestWavDuration(const std::string& audioFolder) {
    std::int32_t longest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(PathFromText(audioFolder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = PathText(it->path().filename());
        if (name.size() < 4) continue;
        if (!EqualsIgnoreCase(name.substr(name.size() - 4), ".WAV") || !it->is_regular_file(ec)) continue;
        longest = std::max(longest, WavDurationMs(ReadWavHeader(PathText(it->path()))));
    }
    return longest;
}

}  // namespace spurwerk
