#include "files/copy_project.h"

#include <filesystem>

#include "io/directory_walk.h"
#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/wav_files.h"
#include "files/info_files.h"
#include "io/path_text.h"
#include "project/project_name.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "settings/message_text.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

void CopyProjectFile(Dialogs& dialogs, const std::string& source, const std::string& target) {
    std::error_code ec;
    CopyOutcome outcome = CopyFileIfAbsent(PathFromText(source), PathFromText(target), ec);
    if (outcome == CopyOutcome::Failed) throw FileError::For(FileStep::Copy, PathFromText(source), ec);
    if (outcome != CopyOutcome::TargetExists) return;
    int answer = dialogs.Message(Txt(166) + "\r\n  " + Txt(167) + source + "\"\r\n" + Txt(168) + target + "\" !" +
                                     "\r\n\r\n" + Txt(169) + target + Txt(170) + "\r\n\r\n" + Txt(171),
                                 MessageButtons::YesNoCancel);
    if (answer == ResultCancel) throw SilentAbort();
    if (answer == ResultYes) CopyFileReplacing(PathFromText(source), PathFromText(target));
}

// Copies a file the project may or may not have; a copy that fails although
// the source is there (a full card, a read error) is an error, not a skip.
CopyOutcome CopyIfPresent(const std::string& source, const std::string& target) {
    std::error_code ec;
    CopyOutcome outcome = CopyFileIfAbsent(PathFromText(source), PathFromText(target), ec);
    if (outcome == CopyOutcome::Failed && PathExists(source))
        throw FileError::CopyTo(PathFromText(source), PathFromText(target), ec);
    return outcome;
}

int CopyWavFiles(const std::string& sourceAudio, const std::string& targetAudio) {
    int copied = 0;
    std::error_code ec;
    std::vector<std::string> names = WavFilesIn(sourceAudio, ec);
    if (ec) throw FileError::For(FileStep::ReadFolder, PathFromText(sourceAudio), ec);
    FolderNames target(targetAudio);  // listed once, not once per file
    for (const std::string& name : names) {
        std::string targetPath = target.PathOf(name);
        if (CopyIfPresent(sourceAudio + name, targetPath) == CopyOutcome::Copied) {
            ++copied;
            target.Add(ExtractFileName(targetPath));
        }
    }
    return copied;
}

}  // namespace

bool CopyProject(ProjectFilesContext& context, const std::string& sourceDir, const std::string& targetDir,
                 const std::string& projectName, int messageTimeMs, bool copyFiles) {
    ZDTDocument& doc = context.doc();
    Dialogs& dialogs = context.dialogs();
    MadeFolders madeFolders;  // taken away again when the copy fails
    madeFolders.Create(PathFromText(targetDir));
    // Names already on the target in another letter case are used, not doubled.
    const std::string targetFile = PathIgnoringCase(targetDir, "PRJDATA.ZDT");

    if (copyFiles) {
        const std::string sourceFile = PathIgnoringCase(sourceDir, "PRJDATA.ZDT");
        if (PathExists(sourceFile)) CopyProjectFile(dialogs, sourceFile, targetFile);
    } else {
        // The name field writes the name into the document, NUL-padded.
        context.fields.SetProjectNameText(projectName);
        context.session().WriteProjectFile(targetFile, false);
    }

    CopyIfPresent(PathIgnoringCase(sourceDir, "EFXDATA.ZDT"), PathIgnoringCase(targetDir, "EFXDATA.ZDT"));

    if (context.options.useInfoFiles) {
        if (copyFiles) {
            if (IsSafeInfoFileProjectName(projectName)) {
                std::string infoName = ExtractFileName(InfoFileNameFor(targetFile, projectName));
                CopyIfPresent(sourceDir + infoName, targetDir + infoName);
            }
        } else {
            CreateInfoFile(targetFile, projectName,
                           [&](const std::string& info) { context.fields.ShowInfoFileName(info); });
        }
    }

    int wavCount = 0;
    std::error_code ignored;
    const std::string sourceAudio = PathIgnoringCase(sourceDir, "AUDIO") + PathSeparator();
    if (fs::is_directory(PathFromText(sourceAudio), ignored)) {
        const std::string targetAudio = PathIgnoringCase(targetDir, "AUDIO") + PathSeparator();
        madeFolders.Create(PathFromText(targetAudio));
        wavCount = CopyWavFiles(sourceAudio, targetAudio);
    }
    madeFolders.Keep();

    if (!copyFiles) {
        doc.MarkSaved();
        context.session().LastSavedZDTFileName = targetFile;
    }

    std::string message = copyFiles ? "PRJDATA.ZDT + EFXDATA.ZDT " + Txt(172) + "\r\n" + Txt(173) + targetDir +
                                          "\"\r\n " + Txt(174) + "\r\n"
                                    : std::to_string(doc.ZDTData().size()) + " " + Txt(175) + targetFile + "\" !\r\n";
    message += std::to_string(wavCount) + " " + Txt(176) + "\r\n\r\n";
    if (context.CopyContinueAnswer != ResultYesToAll)
        context.CopyContinueAnswer = dialogs.Message(JoinLonePunctuation(message + Txt(177)), MessageButtons::YesNoYesToAll);
    else
        dialogs.TimedMessage(JoinLonePunctuation(message), messageTimeMs);
    return context.CopyContinueAnswer != ResultNo;
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    if (a == b) return true;
    // Without a trailing separator: the Windows runtime finds no folder
    // equivalent to "C:\\X\\" (it never matches), though the folder is the same.
    auto folder = [](const std::string& text) {
        fs::path path = PathFromText(text);
        return path.has_relative_path() && !path.has_filename() ? path.parent_path() : path;
    };
    std::error_code ec;
    bool same = fs::equivalent(folder(a), folder(b), ec);
    if (!ec) return same;
    // A folder that does not exist yet: compare the normalised spellings.
    auto normal = [](const std::string& text) {
        fs::path path = fs::weakly_canonical(fs::absolute(PathFromText(text)));
        std::string result = PathText(path.lexically_normal());
        while (result.size() > 1 && IsPathSeparator(result.back())) result.pop_back();
        return result;
    };
    try {
        return normal(a) == normal(b);
    } catch (const fs::filesystem_error&) {
        return false;
    }
}

bool CopyProjectCommand(ProjectFilesContext& context, std::string sourceDir, std::string targetDir) {
    Dialogs& dialogs = context.dialogs();
    ZDTDocument& doc = context.doc();
    if (sourceDir.empty()) {
        sourceDir = dialogs.SelectFolder(Txt(265), ExtractFilePath(context.session().LoadedZDTFileName));
        if (sourceDir.empty()) return false;
    }
    sourceDir = AddTrailingBackslash(sourceDir);
    if (targetDir.empty()) {
        HistInputRequest request;
        request.caption = Txt(267);
        request.prompt = Txt(266);
        request.histFile = context.options.copyToDirHistory;
        targetDir = dialogs.InputHist(request).text;
        if (targetDir.empty()) return false;
    }
    targetDir = AddTrailingBackslash(targetDir);

    if (IsSameFolder(sourceDir, targetDir)) {
        dialogs.Message(Txt(268), MessageButtons::Ok);
        return false;
    }
    // Read before anything is created, so a folder without a project changes nothing.
    std::string name = GetZDTProjectName(doc, PathIgnoringCase(sourceDir, "PRJDATA.ZDT"), false, nullptr).name;
    MadeFolders madeFolders;  // taken away again when the copy fails
    if (PathExists(targetDir)) {
        if (dialogs.Message("\"" + targetDir + Txt(269) + "\r\n" + Txt(270) + "\r\n" + Txt(271),
                            MessageButtons::YesNo) != ResultYes)
            return false;
    } else {
        madeFolders.Create(PathFromText(targetDir));
    }
    context.CopyContinueAnswer = ResultYesToAll;
    bool goOn = CopyProject(context, sourceDir, targetDir, name, 0, true);
    madeFolders.Keep();
    if (!goOn) return false;
    dialogs.Message(JoinLonePunctuation(Txt(272) + "\r\n\r\n  " + Txt(273) + sourceDir + "\"\r\n" + Txt(274) +
                                        targetDir + "\"\r\n\r\n" + Txt(275)),
                    MessageButtons::Ok);
    return true;
}

}  // namespace spurwerk
