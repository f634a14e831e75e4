#include "audio/track_export.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/project_info.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "project/track_values.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

std::optional<int> Number(std::string_view untrimmed) {
    const std::string trimmed = TrimBlanks(untrimmed);
    const std::string_view text = trimmed;
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// A name part every file system takes: no separators, no reserved characters,
// no control characters, no leading or trailing dots and blanks.
std::string SafeNamePart(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out += (c < 0x20 || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
                   ? '_'
                   : static_cast<char>(c);
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    while (!out.empty() && (out.front() == ' ' || out.front() == '.')) out.erase(out.begin());
    return out;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::optional<ExportFormat> ParseExportFormat(const std::string& text) {
    const std::string lower = UpperAscii(text);
    if (lower == "WAV16") return ExportFormat::Wav16;
    if (lower == "WAV24") return ExportFormat::Wav24;
    if (lower == "FLAC") return ExportFormat::Flac;
    return std::nullopt;
}

std::optional<std::vector<int>> ParseTrackList(const std::string& text, int trackCount) {
    std::set<int> tracks;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string part = TrimBlanks(std::string_view(text).substr(start, comma - start));
        const std::size_t dash = part.find('-');
        auto first = Number(std::string_view(part).substr(0, dash));
        auto last = dash == std::string::npos ? first : Number(std::string_view(part).substr(dash + 1));
        if (!first || !last || *first < 1 || *last > trackCount || *first > *last) return std::nullopt;
        for (int t = *first; t <= *last; ++t) tracks.insert(t);
        start = comma + 1;
    }
    return std::vector<int>(tracks.begin(), tracks.end());
}

std::vector<ExportItem> PlanExport(const std::string& projectName, const std::string& audioFolder,
                                   const std::vector<std::string>& assignments, const std::vector<bool>& linked,
                                   const std::vector<int>& chosen, const std::string& targetFolder,
                                   ExportFormat format) {
    const std::string project = SafeNamePart(TrimBlanks(projectName));
    const std::string extension = format == ExportFormat::Flac ? ".flac" : ".wav";
    const FolderNames audio(AddTrailingBackslash(audioFolder));
    std::vector<ExportItem> items;
    const int count = static_cast<int>(assignments.size());
    for (int i = 0; i < count; ++i) {
        const int track = i + 1;
        const bool pair = i % 2 == 0 && i < static_cast<int>(linked.size()) && linked[i] && i + 1 < count;
        ExportItem item;
        item.tracks = pair ? std::vector<int>{track, track + 1} : std::vector<int>{track};
        // A pair is exported when either of its tracks is chosen.
        const bool wanted = chosen.empty() || std::any_of(item.tracks.begin(), item.tracks.end(), [&](int t) {
                                return std::find(chosen.begin(), chosen.end(), t) != chosen.end();
                            });
        if (pair) ++i;
        item.wavName = TrimBlanks(assignments[static_cast<std::size_t>(track - 1)]);
        if (!wanted || item.wavName.empty()) continue;
        std::string wav = item.wavName;
        if (wav.find('.') == std::string::npos) wav += ".WAV";
        if (auto found = audio.Find(wav)) item.source = PathText(PathFromText(audioFolder) / PathFromText(*found));
        std::string stem = SafeNamePart(wav.substr(0, wav.rfind('.')));
        std::string tracksPart = "T" + TwoDigits(track) + (pair ? "-" + TwoDigits(track + 1) : "");
        std::string name = (project.empty() ? "" : project + "_") + tracksPart + "_" + stem + extension;
        item.target = PathText(PathFromText(targetFolder) / PathFromText(name));
        items.push_back(item);
    }
    return items;
}

std::vector<ExportItem> PlanProjectExport(const Bytes& project, const std::string& projectFile,
                                          const std::vector<int>& chosen, const std::string& targetFolder,
                                          ExportFormat format) {
    std::vector<std::string> assignments;
    std::vector<bool> linked;
    for (int k = 0; k < layout::TrackCount; ++k) {
        assignments.push_back(ReadWavName(project, layout::WavNameOffset(k)));
        linked.push_back(k % 2 == 0 && IsStereoLocked(project, k + 1, layout::TrackCount));
    }
    return PlanExport(ReadProjectName(project), AudioFolderOf(projectFile), assignments, linked, chosen, targetFolder,
                      format);
}

void ExportTracks(const std::vector<ExportItem>& items, ExportFormat format, bool replace,
                  const ConversionProgress& progress) {
    std::uint64_t total = 0;
    std::vector<std::uint64_t> lengths;
    for (const ExportItem& item : items) {
        lengths.push_back(static_cast<std::uint64_t>(std::max<std::int64_t>(ProbeAudioSource(item.source).frames, 0)));
        total += lengths.back();
    }
    std::vector<std::string> written;
    std::uint64_t before = 0;
    try {
        for (std::size_t i = 0; i < items.size(); ++i) {
            ConversionRequest request;
            request.source = items[i].source;
            request.target = items[i].target;
            request.format = format == ExportFormat::Flac ? OutputFormat::Flac : OutputFormat::Wav;
            request.bits = format == ExportFormat::Wav16 ? 16 : format == ExportFormat::Wav24 ? 24 : 0;
            if (request.bits == 0) request.bits = ProbeAudioSource(items[i].source).bits <= 16 ? 16 : 24;
            request.replace = replace;
            ConvertAudio(request, [&](std::uint64_t done, std::uint64_t) {
                return !progress || progress(before + std::min(done, lengths[i]), total);
            });
            written.push_back(items[i].target);
            before += lengths[i];
        }
    } catch (...) {
        // Either the whole export or nothing of it (a replaced file stays replaced).
        if (!replace)
            for (const std::string& file : written) {
                std::error_code ec;
                std::filesystem::remove(PathFromText(file), ec);
            }
        throw;
    }
}

}  // namespace spurwerk
