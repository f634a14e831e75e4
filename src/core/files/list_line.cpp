#include "files/list_line.h"

#include <algorithm>

#include "audio/recorder_rules.h"
#include "files/date_time_text.h"
#include "io/directory_walk.h"
#include "io/path_text.h"
#include "io/wav_files.h"
#include "project/project_info.h"
#include "project/value_texts.h"
#include "project/wav_header.h"
#include "text/text_encoding.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

void PadRight(std::string& text, std::size_t width) {
    std::size_t length = Utf8Length(text);
    if (length < width) text.append(width - length, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    std::size_t length = Utf8Length(text);
    return length < width ? std::string(width - length, ' ') + text : text;
}

std::string FileDateText(const std::string& path, const std::string& format) {
    return FormatDateTimeText(format, FileModificationTime(path).value_or(LocalDateTime{}));
}

}  // namespace

WavListing ListWavFiles(const std::string& audioDir, const ListLineOptions& options) {
    WavListing listing;
    std::size_t width = 14;
    if (options.listWavFileDate) width += Utf8Length(options.dateFormat) + 2;
    if (options.listWavFileSize) width += 8;

    std::error_code ignored;
    const WavFolder folder(audioDir, ignored);
    for (const std::string& name : folder.Files()) {
        ++listing.count;
        std::string item = name;
        if (options.listWavFileDate) item += "(" + FileDateText(audioDir + name, options.dateFormat) + ")";
        if (options.listWavFileSize) {
            WavHeader header = ReadWavHeader(folder.Open(name, ignored));
            listing.longestMs = std::max(listing.longestMs, WavDurationMs(header));
            item += "(" + SizeText(std::max<std::int64_t>(header.fileSize, 0), 6) + "b)";
        }
        listing.text += PadLeft(item, width);
    }
    return listing;
}

std::string BuildListLine(const std::string& dir, const std::string& name, const ProjectNameInfo* project,
                          const ListLineOptions& options) {
    std::string path = dir + name;
    std::string line = path;
    PadRight(line, static_cast<std::size_t>(std::max(options.minListFileLength, 0)));
    line += "     ## " + FileDateText(path, ListLineDateFormat) + " #";

    if (project) {
        std::string quotedName = "\"" + project->name + "\"";
        PadRight(quotedName, 10);
        line += "#  ZDT-Proj.: " + quotedName;
        if (options.listRecordModi)
            line += "  " + std::to_string(project->listValues.recordingBitDepth) + "B.," +
                    (project->listValues.insertRecordingWet ? "WET!!" : "DRY  ");
        if (options.useTrackInfos) line += "  " + project->trackSummary;
        WavListing wavs = ListWavFiles(AddTrailingBackslash(AudioFolderOf(dir + name)), options);
        if (wavs.count > 0) {
            if (wavs.longestMs > 0) line += " [t=" + MillisecondsText(wavs.longestMs) + "max.]";
            line += "  " + Txt(192) + PadLeft(std::to_string(wavs.count), 2) + ": " + wavs.text;
        } else {
            line += " [t=" + MillisecondsText(0) + " " + Txt(191) + ")]";
        }
    } else if (HasFileExt(name, ".WAV")) {
        line += WavHeaderSummary(path, options.showListSize).text;
        line += RecorderRefusalMark(RecorderRefusalsOfFile(path));
    }
    return line;
}

}  // namespace spurwerk
