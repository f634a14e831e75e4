#include "audio/audio_import.h"

#include <filesystem>

#include "audio/recorder_rules.h"
#include "io/path_text.h"
#include "io/wav_files.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"

namespace spurwerk {

namespace {

std::string SourceStem(const std::string& wish) {
    std::string name = ExtractFileName(wish);
    // "song.final.mp3": the last extension goes, the other dots are name characters.
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace

std::string ImportFileName(const std::string& wish, const std::vector<std::string>& existing, bool mustBeFree) {
    std::string stem = UpperAscii(TrimBlanks(RecorderNameCharacters(SourceStem(wish) + ".WAV")));
    if (stem.empty()) return "";
    if (!ContainsFileName(existing, stem + ".WAV")) return stem + ".WAV";
    if (mustBeFree) return "";
    for (int n = 2; n < 10000000; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        std::string candidate = stem.substr(0, RecorderNameLength - std::min(suffix.size(), RecorderNameLength)) + suffix;
        if (!ContainsFileName(existing, candidate + ".WAV")) return candidate + ".WAV";
    }
    return "";
}

ImportResult ImportAudioFile(const ImportRequest& request, const ConversionProgress& progress) {
    const AudioSourceInfo info = ProbeAudioSource(request.source);
    if (info.channels > 2)
        throw AudioSourceError(
            UiSentence(UiText::ImportTooManyChannels, {request.source, std::to_string(info.channels)}, ""));
    std::error_code ec;
    std::filesystem::create_directories(PathFromText(request.audioFolder), ec);
    const std::vector<std::string> existing = WavFilesIn(request.audioFolder);
    const bool named = !request.name.empty();
    ImportResult result;
    result.fileName = ImportFileName(named ? request.name : request.source, existing, named);
    if (result.fileName.empty())
        throw AudioSourceError(named ? UiTxt(UiText::ImportNameTaken, request.name)
                                     : UiTxt(UiText::ImportNameTaken, SourceStem(request.source)));
    ConversionRequest conversion;
    conversion.source = request.source;
    conversion.target = PathText(PathFromText(request.audioFolder) / PathFromText(result.fileName));
    conversion.bits = request.bits;
    conversion.channels = request.channels;
    result.conversion = ConvertAudio(conversion, progress);
    return result;
}

}  // namespace spurwerk
