#include "files/project_files_context.h"

#include "project/track_layout.h"
#include "io/path_text.h"
#include "settings/side_files.h"

namespace spurwerk {

TemplateFiles TemplateFilesIn(const std::string& programDir) {
    auto in = [&](const char* name) { return ResolveInProgramDir(name, programDir); };
    return {in(PrjTemplateR16Name),      in(PrjTemplateR24Name),       in(EfxTemplateR16Name),
            in(EfxTemplateR24Name),      in(WavTemplateMono16Name),    in(WavTemplateStereo16Name),
            in(WavTemplateMono24Name),   in(WavTemplateStereo24Name)};
}

std::string ProjectFieldsHost::ProjectNameText() { return ReadProjectName(doc_.ZDTData()); }

void ProjectFieldsHost::SetProjectNameText(const std::string& name) {
    // As the field's change handling does: trimmed, NUL-padded to 8 bytes.
    std::string text = TrimControlChars(name).substr(0, layout::ProjectNameLength);
    text.resize(layout::ProjectNameLength, '\0');
    doc_.WriteZDTString(layout::ProjectNameOffset, text);
}

void DocumentOnlyHost::PrepareSave() {
    if (!doc_.IsProject()) return;
    std::vector<std::string> names;
    auto offsetOf = [&](int strip) {
        return strip < trackCount_ ? layout::WavNameOffset(strip) : layout::MasterWavNameOffset;
    };
    for (int strip = 0; strip <= trackCount_; ++strip) names.push_back(ReadWavName(doc_.ZDTData(), offsetOf(strip)));
    std::vector<std::string> cleaned = NormalizeTrackWavNames(names, dialogs_);
    for (int strip = 0; strip <= trackCount_; ++strip) {
        const std::string& name = cleaned[static_cast<std::size_t>(strip)];
        if (name != names[static_cast<std::size_t>(strip)]) WriteWavName(doc_, offsetOf(strip), name);
    }
}

}  // namespace spurwerk
