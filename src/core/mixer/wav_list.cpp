#include "mixer/wav_list.h"

#include <algorithm>

#include "audio/recorder_rules.h"
#include "io/path_text.h"
#include "project/wav_header.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"

#include "text/ascii.h"

namespace spurwerk {

WavList BuildWavList(const std::string& audioFolder, const std::vector<std::string>& assignments,
                     bool showListSize) {
    WavList list;
    list.lines.push_back("");
    list.found.assign(assignments.size(), false);
    if (audioFolder.empty()) return list;

    list.files = WavFilesIn(audioFolder);
    const std::vector<std::string>& files = list.files;
    std::size_t masterIndex = assignments.empty() ? 0 : assignments.size() - 1;
    for (const std::string& file : files) {
        std::string line = file;
        if (line.size() < 12) line.resize(12, ' ');
        std::string upperFile = UpperAscii(file);
        std::string noted;
        for (std::size_t s = 0; s < assignments.size(); ++s) {
            std::string assignment = UpperAscii(assignments[s]);
            if (assignment.find('.') == std::string::npos) assignment += UpperAscii(ExtractFileExt(file));
            if (assignment != upperFile) continue;
            ++list.matchedFiles;
            list.found[s] = true;
            noted = s == masterIndex ? "M" : std::to_string(s + 1);
            break;
        }
        line += noted.empty() ? std::string(7, ' ') : " [Tr." + noted + "]";
        list.tracks.push_back(noted);
        WavSummary summary = WavHeaderSummary(PathText(PathFromText(audioFolder) / PathFromText(file)), showListSize);
        line += summary.text;
        line += RecorderRefusalMark(RecorderRefusalsOfFile(PathText(PathFromText(audioFolder) / PathFromText(file))));
        list.recordingEnd = std::max(list.recordingEnd, summary.durationMs);
        list.lines.push_back(line);
    }
    for (std::size_t s = 0; s < assignments.size(); ++s) {
        if (assignments[s].empty()) {
            list.found[s] = true;
            continue;
        }
        if (!list.found[s] && !ContainsFileName(files, assignments[s])) ++list.missing;
    }
    list.lines[0] = WavListHeader(static_cast<int>(files.size()), list.matchedFiles, list.missing);
    return list;
}

std::string WavListHeader(int fileCount, int matchedFiles, int missing) {
    const std::string files = std::to_string(fileCount), matched = std::to_string(matchedFiles);
    std::string header = UiSentence(fileCount == 1 ? UiText::WavListHeaderOne : UiText::WavListHeader, {files, matched},
                                    files + " WAV-" + Txt(262) + ",  " + matched + " " + Txt(263));
    if (missing > 0) header += "  !!! " + Txt(264) + " " + std::to_string(missing) + " !!!";
    return header;
}

Colour FileFieldColour(bool enabled, const std::string& text, bool found, bool fileExists) {
    if (!enabled) return text.empty() ? colours::Silver : colours::Lilac;
    if (found) return colours::Window;
    return fileExists ? colours::Yellow : colours::Red;
}

}  // namespace spurwerk
