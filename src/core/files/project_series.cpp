#include "files/project_series.h"

#include <cstdio>
#include <filesystem>

#include "files/copy_project.h"
#include "io/path_text.h"
#include "files/save_project.h"
#include "io/text_file.h"
#include "settings/cli_texts.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace fs = std::filesystem;

std::string ProjectSeries::DirectoryNumber(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%3.3d", n);
    return text;
}

std::string ProjectSeries::DirectoryFor(int n) const {
    return baseDirSerie + baseSubDirs + DirectoryNumber(n) + PathSeparator();
}

void ProjectSeries::FormShow(const std::string& loadedZDTFileName) {
    if (seriesBaseDir_.empty() && !loadedZDTFileName.empty()) {
        fs::path projectDir = PathFromText(loadedZDTFileName).parent_path();
        fs::path parent = projectDir.parent_path();
        if (parent != projectDir) seriesBaseDir_ = AddTrailingBackslash(PathText(parent));
    }
    baseDirSerie = seriesBaseDir_;
    SetProgress("(-)");
}

void ProjectSeries::AnySerieChange() {
    labelVon_ = Txt(117) + DirectoryFor(serieStart) + "\"";
    labelBis_ = Txt(118) + DirectoryFor(serieStart + serieCount - 1) + "\"";
    startHint_ = Txt(119) + baseSubDirs + "nnn" + "\"" + ") an," + "\n" + Txt(120) + ": (001-900) ";
    if (observer_) observer_->PreviewChanged();
}

std::string ProjectSeries::EditBaseDirHint() {
    return UiTxt(UiText::SeriesFolderHint);
}

std::string ProjectSeries::OpenFolderPrompt() const {
    return Txt(115) + baseSubDirs + "nnn" + "\"" + "!" + "\r\n" + Txt(116);
}

void ProjectSeries::OpenFolder(Dialogs& dialogs) {
    std::string chosen = dialogs.SelectFolder(OpenFolderPrompt(), baseDirSerie);
    if (chosen.empty()) return;
    baseDirSerie = AddTrailingBackslash(chosen);
    AnySerieChange();
}

void ProjectSeries::LoadProjectNames(const std::string& file) {
    projectNames = SplitTextLines(ReadTextFile(PathFromText(file)));
}

void ProjectSeries::SaveProjectNames(const std::string& file) const {
    WriteTextFile(PathFromText(file), JoinTextLines(projectNames));
}

void ProjectSeries::LoadSaveProjNames(bool save, Dialogs& dialogs, const std::string& historyFile) {
    HistInputRequest request;
    request.isFileInput = true;
    request.histFile = historyFile;
    request.caption = Txt(121);
    request.prompt = Txt(122);
    request.filter = Txt(123);
    request.initialText = lastNamesFile;
    request.addToHist = true;
    request.showNonExistent = true;
    std::string file = dialogs.InputHist(request).text;
    if (file.empty()) return;
    lastNamesFile = file;
    if (save) SaveProjectNames(file);
    else LoadProjectNames(file);
}

std::string ProjectSeries::NameFor(int n, const std::string& defaultPrefix) const {
    std::size_t line = static_cast<std::size_t>(n - serieStart);
    if (n >= serieStart && line < projectNames.size()) {
        std::string text = TrimBlanks(projectNames[line]);
        if (!text.empty()) return text;
    }
    return defaultPrefix + DirectoryNumber(n);
}

std::string ProjectSeries::OkButtonCaption() const { return running_ ? Txt(111) : okCaption; }

bool ProjectSeries::BaseDirExists() const {
    // The folder the numbered folders go into: the base text up to its last separator.
    fs::path folder = PathFromText(baseDirSerie + "x").parent_path();
    std::error_code ec;
    return !baseDirSerie.empty() && fs::is_directory(folder, ec);
}

void ProjectSeries::SetProgress(const std::string& text) {
    progress_ = text;
    if (observer_) observer_->ProgressChanged();
}

int ProjectSeries::OkClick(ProjectFilesContext& context) {
    if (running_) {
        running_ = false;
        if (observer_) observer_->ProgressChanged();
        return 0;
    }
    return Run(context);
}

int ProjectSeries::Run(ProjectFilesContext& context) {
    Dialogs& dialogs = context.dialogs();
    // A missing base folder (a typo, a card not inserted) would put the series
    // somewhere else; nothing is created.
    if (!BaseDirExists()) {
        failure_ = Txt(162) + baseDirSerie + Txt(103);
        dialogs.Message(failure_, MessageButtons::Ok);
        return 0;
    }
    seriesBaseDir_ = baseDirSerie;
    const int first = serieStart, last = serieStart + serieCount - 1;

    std::string existing;
    for (int n = first; n <= last; ++n) {
        std::error_code ec;
        if (fs::exists(PathFromText(DirectoryFor(n)), ec)) existing += DirectoryFor(n) + "\r\n";
    }
    if (!existing.empty() &&
        dialogs.Message(Txt(106) + "\r\n\r\n" + existing + "\r\n" + Txt(107) + "\r\n" + Txt(105),
                        MessageButtons::OkCancel) != ResultOk)
        return 0;
    AnySerieChange();
    const std::string range = UiSentence(UiText::SeriesQuestion, {DirectoryFor(first), DirectoryFor(last)},
                                         Txt(108) + "  " + labelVon_ + "  " + labelBis_ + " " + Txt(109));
    if (dialogs.Message(range + "\r\n\r\n" + Txt(110),
                        MessageButtons::OkCancel) != ResultOk)
        return 0;

    running_ = true;
    if (observer_) observer_->ProgressChanged();
    context.CopyContinueAnswer = ResultYes;
    int created = 0;
    const std::string defaultPrefix = context.fields.ProjectNameText().substr(0, 4) + "_";
    failure_.clear();
    std::string dir, name;
    try {
        std::string source;
        for (int n = first; n <= last; ++n) {
            if (dialogs.AskAbortOnClick(n) || !running_) break;
            dir = DirectoryFor(n);
            name = NameFor(n, defaultPrefix);
            if (n == first) {
                // A save the user declined leaves no project to copy from.
                if (!SaveProject(context, dir + "PRJDATA.ZDT", true, name, 500)) break;
                source = dir;
                ++created;
            } else {
                bool goOn = CopyProject(context, source, dir, name, 1000, false);
                // The project is written before "Weiter?" is asked, so it counts.
                ++created;
                SetProgress(std::to_string(created) + Txt(112) + name + Txt(113));
                if (!goOn) break;
                continue;
            }
            SetProgress(std::to_string(created) + Txt(112) + name + Txt(113));
        }
    } catch (const SilentAbort&) {
    } catch (const FileError& error) {
        // The save and the copy take away a project folder they made; one that
        // existed before keeps what was written into it.
        std::error_code ec;
        failure_ = CliTxt(fs::exists(PathFromText(dir), ec) ? CliText::SeriesFolderKept : CliText::SeriesNothingKept,
                          {name, dir, error.what()});
        dialogs.Message(failure_, MessageButtons::Ok);
    }
    running_ = false;
    dialogs.Message(std::to_string(created) + " " + Txt(114), MessageButtons::Ok);
    if (observer_) observer_->ProgressChanged();
    return created;
}

}  // namespace spurwerk
