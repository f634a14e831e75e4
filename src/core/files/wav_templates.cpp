#include "files/wav_templates.h"

#include <algorithm>
#include <set>

#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "text/text_encoding.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

const std::string& WavTemplateFor(const TemplateFiles& templates, const Bytes& document, int stripIndex,
                                  int trackCount) {
    bool bits24 = ReadZDTByte(document, layout::RecordingDepthOffset) * 8 + 16 == 24;
    // The pair's box is the one of the even strip index.
    bool stereo = stripIndex >= trackCount || ReadStereoLink(document, stripIndex & ~1);
    if (stereo) return bits24 ? templates.wavStereo24 : templates.wavStereo16;
    return bits24 ? templates.wavMono24 : templates.wavMono16;
}

std::vector<std::string> AssignedWavNames(const Bytes& document, int trackCount) {
    std::vector<std::string> names;
    for (int strip = 0; strip <= trackCount; ++strip) {
        std::size_t offset = strip < trackCount ? layout::WavNameOffset(strip) : layout::MasterWavNameOffset;
        std::string name = ReadWavName(document, offset);
        name = TrimBlanks(name);
        // A name from a foreign file must not point out of the AUDIO folder.
        if (name.find_first_of("/\\:") != std::string::npos) name.clear();
        names.push_back(name);
    }
    return names;
}

void EnsureEFXFile(ProjectFilesContext& context, const std::string& dir) {
    const TemplateFiles& templates = context.options.templates;
    const std::string& source = context.options.devIsZoomR24 ? templates.efxR24 : templates.efxR16;
    std::error_code ec;
    // Without a template there is nothing to copy; a copy that fails is an error.
    if (CopyFileIfAbsent(PathFromText(source), PathFromText(PathIgnoringCase(dir, "EFXDATA.ZDT")), ec) == CopyOutcome::Failed &&
        IsRegularFile(PathFromText(source)))
        throw FileError::For(FileStep::Copy, PathFromText(source), ec);
}

namespace {

// Shows the assignment list; true when the missing files are to be created.
bool ReportAssignments(Dialogs& dialogs, const std::vector<std::string>& names, const std::string& audioDir) {
    int existing = 0, missing = 0;
    std::string list;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        std::string path = PathIgnoringCase(audioDir, name);
        bool exists = PathExists(path);
        (exists ? existing : missing)++;
        std::string padding(Utf8Length(name) < 12 ? 12 - Utf8Length(name) : 0, ' ');
        list += "\"" + path + "\":" + padding + "\t " + (exists ? "" : Txt(143) + "  ") + Txt(144) + "  \r\n";
    }
    if (existing + missing == 0) {
        dialogs.Message(Txt(145), MessageButtons::Ok);
        return false;
    }
    if (missing == 0) {
        dialogs.Message(Txt(146) + " " + std::to_string(existing) + " " + Txt(147), MessageButtons::Ok);
        return false;
    }
    return dialogs.Message(list + "\r\n" + Txt(148) + " " + std::to_string(missing) + " " + Txt(149),
                           MessageButtons::OkCancel) == ResultOk;
}

}  // namespace

int CreateMissingWavFiles(ProjectFilesContext& context, const std::string& audioDir, bool reportFirst) {
    Dialogs& dialogs = context.dialogs();
    const int trackCount = context.fields.TrackCount();
    const Bytes& document = context.doc().ZDTData();
    std::vector<std::string> names = AssignedWavNames(document, trackCount);
    if (reportFirst && !ReportAssignments(dialogs, names, audioDir)) return 0;

    int answer = ResultYes;
    std::string created;
    int createdCount = 0;
    std::set<std::string> missingTemplatesReported;
    for (int strip = 0; strip <= trackCount; ++strip) {
        const std::string& name = names[static_cast<std::size_t>(strip)];
        if (name.empty()) continue;
        std::string path = PathIgnoringCase(audioDir, name);
        if (PathExists(path)) continue;
        if (answer != ResultYesToAll) {
            answer = dialogs.Message(Txt(150) + path + Txt(151) + "\r\n" + Txt(152) + audioDir + Txt(153),
                                     MessageButtons::YesNoNoToAllYesToAll);
        }
        if (answer == ResultNo) continue;
        if (answer != ResultYes && answer != ResultYesToAll) break;

        CreateFolders(PathFromText(audioDir));
        const std::string& source = WavTemplateFor(context.options.templates, document, strip, trackCount);
        std::error_code ec;
        CopyOutcome outcome = CopyFileIfAbsent(PathFromText(source), PathFromText(path), ec);
        if (outcome == CopyOutcome::Copied) {
            created += "\r\n" + path;
            ++createdCount;
            continue;
        }
        if (outcome == CopyOutcome::TargetExists) continue;  // made meanwhile by someone else
        context.fileErrors.push_back(FileError::CopyTo(PathFromText(source), PathFromText(path), ec).what());
        // A missing template would fail for every track alike: one message names it.
        bool templateMissing = !IsRegularFile(PathFromText(source));
        if (templateMissing && !missingTemplatesReported.insert(source).second) continue;
        dialogs.Message(Txt(154) + "\r\n  " + Txt(155) + source + "\"\r\n" + Txt(156) + path + "\" !",
                        MessageButtons::Ok);
    }
    if (createdCount > 0) dialogs.Message(Txt(157) + "\r\n\r\n" + created + "\r\n", MessageButtons::Ok);
    context.fields.WavFilesChanged();
    return createdCount;
}

}  // namespace spurwerk
