#include "files/save_project.h"

#include <filesystem>

#include "io/file_copy.h"
#include "io/file_io.h"
#include "files/info_files.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "files/wav_templates.h"
#include "settings/text_table.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

// Yes goes on, No stops this save, Cancel ends the whole command.
bool AskGoOn(Dialogs& dialogs, const std::string& question) {
    int answer = dialogs.Message(question, MessageButtons::YesNoCancel);
    if (answer == ResultCancel) throw SilentAbort();
    return answer == ResultYes;
}

}  // namespace

bool SaveProject(ProjectFilesContext& context, const std::string& fileName, bool askOverwrite,
                 const std::string& projectName, int messageTimeMs, bool keepUnchanged) {
    ProjectSession& session = context.session();
    ZDTDocument& doc = session.doc;
    Dialogs& dialogs = context.dialogs();

    std::string name = projectName;
    if (!name.empty()) context.fields.SetProjectNameText(name);
    else name = context.fields.ProjectNameText();
    session.Host().PrepareSave();

    std::string file = fileName;
    if (file.empty()) {
        file = AskZDTFileName(context.document, 158, 159, session.LoadedZDTFileName);
        if (file.empty()) return false;
    }
    file = WithZDTExtension(file);

    if (PathExists(file) && askOverwrite &&
        !AskGoOn(dialogs, "\"" + file + Txt(160) + "\r\n" + Txt(161)))
        return false;

    const std::string dir = ExtractFilePath(file);
    const std::string audioDir = PathIgnoringCase(dir, "AUDIO") + PathSeparator();
    MadeFolders madeFolders;  // taken away again when the save fails
    if (!PathExists(audioDir)) {
        if (!AskGoOn(dialogs, Txt(162) + audioDir + Txt(163))) return false;
        madeFolders.Create(PathFromText(audioDir));
    }

    if (!doc.IsProject()) {
        const TemplateFiles& templates = context.options.templates;
        std::string source = PathExists(file) ? file : (context.options.devIsZoomR24 ? templates.prjR24 : templates.prjR16);
        doc.ReplaceZDTData(ReadWholeFile(PathFromText(source)));
        session.Host().PrepareSave();
    }

    // With Ctrl held an unchanged project file is left as it is, and not reported as written.
    const bool writeProjectFile = !(keepUnchanged && !doc.DataChanged());
    if (writeProjectFile) session.WriteProjectFile(file, false);
    EnsureEFXFile(context, dir);
    CreateMissingWavFiles(context, audioDir, false);
    if (context.options.useInfoFiles)
        CreateInfoFile(file, TrimControlChars(name),
                       [&](const std::string& info) { context.fields.ShowInfoFileName(info); });

    madeFolders.Keep();
    doc.MarkSaved();
    session.LastSavedZDTFileName = file;
    if (writeProjectFile)
        dialogs.TimedMessage(std::to_string(doc.ZDTData().size()) + " " + Txt(164) + file + Txt(165), messageTimeMs);
    session.ZDTFileToLoad = file;
    LoadZDTFile(context.document, false);
    return true;
}

}  // namespace spurwerk
