// save-project, copy, search, infofiles, endmarks, series: the project-file
// operations on whole projects and card trees.

#include <filesystem>
#include <iostream>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli_dialogs.h"
#include "cli_language.h"
#include "commands.h"
#include "json_output.h"
#include "files/copy_project.h"
#include "files/directory_search.h"
#include "files/end_mark_batch.h"
#include "files/info_files.h"
#include "io/path_text.h"
#include "files/project_list.h"
#include "files/project_series.h"
#include "files/save_project.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "ui/errors.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

namespace {

namespace fs = std::filesystem;

struct Answers {
    bool yes = false, no = false;
};

void AddAnswerFlags(CLI::App* sub, Answers& answers) {
    auto* yes = sub->add_flag("--yes", answers.yes, CliTxt(CliText::HelpYes));
    auto* no = sub->add_flag("--no", answers.no, CliTxt(CliText::HelpNo));
    yes->excludes(no);
}

// For walks over many projects: a question that came up half-way could not be
// answered, and the projects before it would already be changed.
void RequireAnswer(const Answers& answers, const std::string& command) {
    if (!answers.yes && !answers.no)
        throw CLI::ValidationError(command, CliTxt(CliText::NeedsYesOrNo));
}

struct ProjectOptions {
    bool r24 = false;
    bool infoFiles = false;
};

void AddProjectOptionFlags(CLI::App* sub, ProjectOptions& options) {
    sub->add_flag("--r24", options.r24, CliTxt(CliText::HelpR24));
    sub->add_flag("--info-files", options.infoFiles, CliTxt(CliText::HelpInfoFiles));
}

// A project session, the answers and the project-file context, without a mixer.
struct Session {
    explicit Session(const Answers& answers, const ProjectOptions& projectOptions)
        : host(project.doc, dialogs), document{project, dialogs, ""}, context{document, host, {}} {
        project.SetHost(&host);
        if (answers.yes || answers.no) dialogs.answer = answers.yes;
        context.options.devIsZoomR24 = projectOptions.r24;
        context.options.useInfoFiles = projectOptions.infoFiles;
        context.options.templates = TemplateFilesIn(ProgramDir());
    }
    void Load(const std::string& file) {
        project.ZDTFileToLoad = file;
        LoadZDTFile(document, false);
        if (!project.doc.IsProject())
            throw CommandError(CliTxt(CliText::NotAProjectShort,
                                      {project.LoadedZDTFileName, std::to_string(project.doc.ZDTData().size())}));
    }

    ProjectSession project;
    CliDialogs dialogs;
    DocumentOnlyHost host;
    DocumentContext document;
    ProjectFilesContext context;
};

// Entries a walk passed over, or files a save could not make, fail the
// command at its end, after the results of the others.
void FailOnErrors(const std::vector<std::string>& errors, CliText what = CliText::EntriesFailed) {
    if (errors.empty()) return;
    std::string text;
    for (const std::string& error : errors) text += "\n" + error;
    throw CommandError(CliTxt(what, {std::to_string(errors.size())}) + text);
}

void AddSaveProject(CLI::App& app) {
    struct Options {
        std::string file, target, name;
        bool keepUnchanged = false;
        Answers answers;
        ProjectOptions project;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("save-project", CliTxt(CliText::HelpSaveProject));
    sub->add_option("FILE", o->file, CliTxt(CliText::HelpFileToLoad))->required();
    sub->add_option("TARGET", o->target, CliTxt(CliText::HelpTarget))->required();
    sub->add_option("--name", o->name, CliTxt(CliText::HelpName));
    sub->add_flag("--keep-unchanged", o->keepUnchanged, CliTxt(CliText::HelpKeepUnchanged));
    AddAnswerFlags(sub, o->answers);
    AddProjectOptionFlags(sub, o->project);
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->file);
        Session session(o->answers, o->project);
        session.Load(o->file);
        SetErrorFile(o->target);
        FileSnapshot before(PathText(PathFromText(o->target).parent_path()));
        if (!SaveProject(session.context, o->target, true, o->name, 0, o->keepUnchanged))
            throw CommandError(CliTxt(CliText::NothingSaved));
        if (JsonOutput()) PrintJson(ChangeReport(before.Changes()));
        FailOnErrors(session.context.fileErrors, CliText::FilesNotMade);
    });
}

void AddCopy(CLI::App& app) {
    struct Options {
        std::string source, target;
        Answers answers;
        ProjectOptions project;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("copy", CliTxt(CliText::HelpCopy));
    sub->add_option("SOURCE_DIR", o->source, CliTxt(CliText::HelpProjectFolder))->required();
    sub->add_option("TARGET_DIR", o->target, CliTxt(CliText::HelpCopyTarget))->required();
    AddAnswerFlags(sub, o->answers);
    AddProjectOptionFlags(sub, o->project);
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->source);
        Session session(o->answers, o->project);
        if (IsSameFolder(AddTrailingBackslash(o->source), AddTrailingBackslash(o->target)))
            throw CommandError(CliTxt(CliText::SameFolder, {o->source, o->target, TerminalText(Txt(268))}));
        FileSnapshot before(o->target);
        if (!CopyProjectCommand(session.context, o->source, o->target)) throw SilentAbort();
        if (JsonOutput()) PrintJson(ChangeReport(before.Changes()));
    });
}

void AddSearch(CLI::App& app) {
    struct Options {
        std::string root, filter, dateFormat = DefaultListDateFormat, sort = "dir";
        bool prj = true, wav = false, recordModi = false, wavSize = false, wavDate = false, compact = false;
        bool reverse = false, showListSize = false;
        int minWidth = 64;
        std::vector<std::string> groups;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("search", CliTxt(CliText::HelpSearch));
    sub->add_option("ROOT", o->root, CliTxt(CliText::HelpSearchRoot))->required();
    sub->add_option("--filter", o->filter, CliTxt(CliText::HelpFilter));
    sub->add_flag("--prj,!--no-prj", o->prj, CliTxt(CliText::HelpPrj));
    sub->add_flag("--wav,!--no-wav", o->wav, CliTxt(CliText::HelpWavList));
    sub->add_flag("--record-modi", o->recordModi, CliTxt(CliText::HelpRecordModi));
    sub->add_flag("--wav-size", o->wavSize, CliTxt(CliText::HelpWavSize));
    sub->add_flag("--wav-date", o->wavDate, CliTxt(CliText::HelpWavDate));
    sub->add_option("--date-format", o->dateFormat, CliTxt(CliText::HelpDateFormat));
    sub->add_option("--groups", o->groups, CliTxt(CliText::HelpSearchGroups))->delimiter(',');
    sub->add_flag("--compact", o->compact, CliTxt(CliText::HelpSearchCompact));
    sub->add_option("--sort", o->sort, CliTxt(CliText::HelpSort))
        ->check(CLI::IsMember({"dir", "date", "name", "time"}));
    sub->add_flag("--reverse", o->reverse, CliTxt(CliText::HelpReverse));
    sub->add_option("--min-width", o->minWidth, CliTxt(CliText::HelpMinWidth));
    sub->add_flag("--show-list-size", o->showListSize, CliTxt(CliText::HelpShowListSize));
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->root);
        ZDTDocument doc;
        CliDialogs dialogs;
        ProjectList list;
        list.sortType = o->sort == "date"   ? ListSortType::FileDate
                        : o->sort == "name" ? ListSortType::ProjectName
                        : o->sort == "time" ? ListSortType::AudioTime
                                            : ListSortType::DirFile;
        list.sortReverse = o->reverse;
        ListLineOptions& lines = list.lineOptions;
        lines.listRecordModi = o->recordModi;
        lines.listWavFileSize = o->wavSize;
        lines.listWavFileDate = o->wavDate;
        list.SetDateFormat(o->dateFormat);
        lines.minListFileLength = o->minWidth;
        lines.showListSize = o->showListSize;
        lines.trackInfos.compact = o->compact;
        for (const std::string& group : o->groups) {
            const TrackParameter* parameter = FindTrackParameter(group);
            if (!parameter) throw CommandError(CliTxt(CliText::UnknownGroup, {group}));
            lines.trackInfos.groups.push_back(parameter->name);
        }
        lines.useTrackInfos = !lines.trackInfos.groups.empty();
        if (!fs::is_directory(PathFromText(o->root))) throw CommandError(CliTxt(CliText::NoFolder, {o->root}));
        SearchCounts counts = SearchInSubDirs(AddTrailingBackslash(o->root), CleanSearchFilter(o->filter), o->prj,
                                              o->wav, doc, list, dialogs);
        if (JsonOutput()) {
            Json entries = Json::array();
            for (const std::string& line : list.Lines())
                entries.push_back({{"path", CardPath(ProjectList::EntryPath(line, false))}, {"line", CardText(line)}});
            PrintJson({{"root", CardPath(o->root)},
                       {"count", list.Lines().size()},
                       {"entries", entries},
                       {"message", CardText(list.Message())}});
        } else {
            for (const std::string& line : list.Lines()) PrintLine(line);
            PrintLine(list.Message());
        }
        FailOnErrors(counts.entryErrors);
    });
}

void AddInfoFiles(CLI::App& app) {
    struct Options {
        std::string action, root;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("infofiles", CliTxt(CliText::HelpInfofilesCommand));
    sub->add_option("ACTION", o->action, CliTxt(CliText::HelpAction))
        ->required()
        ->check(CLI::IsMember({"update", "delete-unassigned", "delete-all"}));
    sub->add_option("ROOT", o->root, CliTxt(CliText::HelpFolder))->required();
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->root);
        ZDTDocument doc;
        CliDialogs dialogs;
        ProjectList list;
        if (!fs::is_directory(PathFromText(o->root))) throw CommandError(CliTxt(CliText::NoFolder, {o->root}));
        std::string root = AddTrailingBackslash(o->root);
        FileSnapshot before(o->root);
        InfoFileRunCounts counts;
        std::string message = o->action == "update"
                                  ? UpdateInfoFiles(root, doc, list, dialogs, {}, &counts)
                                  : DeleteInfoFiles(root, o->action == "delete-all", doc, list, dialogs, {}, &counts);
        if (JsonOutput()) {
            ReportMessage(message);
            PrintJson(ChangeReport(before.Changes()));
        } else {
            PrintLine(message);
        }
        FailOnErrors(counts.entryErrors);
    });
}

void AddEndMarks(CLI::App& app) {
    struct Options {
        std::string root;
        Answers answers;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("endmarks", CliTxt(CliText::HelpEndmarks));
    sub->add_option("ROOT", o->root, CliTxt(CliText::HelpFolder))->required();
    AddAnswerFlags(sub, o->answers);
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->root);
        Session session(o->answers, {});
        RequireAnswer(o->answers, "endmarks");
        session.dialogs.confirmedByCommand = {Txt(281)};
        if (!fs::is_directory(PathFromText(o->root))) throw CommandError(CliTxt(CliText::NoFolder, {o->root}));
        ProjectList list;
        std::string base;
        FileSnapshot before(o->root);
        EndMarkBatchCounts counts;
        if (SetEndMarksInSubDirs(session.document, base, list, o->root, &counts).empty()) throw SilentAbort();
        if (JsonOutput()) {
            for (const std::string& line : list.Lines()) ReportMessage(line);
            PrintJson(ChangeReport(before.Changes()));
        }
        FailOnErrors(counts.entryErrors);
    });
}

void AddSeries(CLI::App& app) {
    struct Options {
        std::string file, baseDir, prefix = "PROJ", names;
        int start = 1, count = 1;
        Answers answers;
        ProjectOptions project;
    };
    auto o = std::make_shared<Options>();
    auto* sub = app.add_subcommand("series", CliTxt(CliText::HelpSeries));
    sub->add_option("FILE", o->file, CliTxt(CliText::HelpSeriesFile))->required();
    sub->add_option("BASE_DIR", o->baseDir, CliTxt(CliText::HelpBaseDir))->required();
    sub->add_option("--start", o->start, CliTxt(CliText::HelpStart))->required()->check(CLI::Range(1, 999));
    sub->add_option("--count", o->count, CliTxt(CliText::HelpCount))->required()->check(CLI::Range(1, 99));
    sub->add_option("--prefix", o->prefix, CliTxt(CliText::HelpPrefix));
    sub->add_option("--names", o->names, CliTxt(CliText::HelpNames));
    AddAnswerFlags(sub, o->answers);
    AddProjectOptionFlags(sub, o->project);
    AddJsonFlag(sub);
    sub->callback([o] {
        SetErrorFile(o->file);
        Session session(o->answers, o->project);
        RequireAnswer(o->answers, "series");
        session.dialogs.confirmedByCommand = {Txt(110)};
        session.Load(o->file);
        ProjectSeries series;
        series.baseDirSerie = AddTrailingBackslash(o->baseDir);
        series.baseSubDirs = o->prefix;
        series.serieStart = o->start;
        series.serieCount = o->count;
        if (!o->names.empty()) series.LoadProjectNames(o->names);
        series.AnySerieChange();
        FileSnapshot before(o->baseDir);
        series.OkClick(session.context);
        if (JsonOutput()) PrintJson(ChangeReport(before.Changes()));
        if (!series.Failure().empty()) throw CommandError(series.Failure());
        FailOnErrors(session.context.fileErrors, CliText::FilesNotMade);
    });
}

}  // namespace

void AddFileCommands(CLI::App& app) {
    AddSaveProject(app);
    AddCopy(app);
    AddSearch(app);
    AddInfoFiles(app);
    AddEndMarks(app);
    AddSeries(app);
}

}  // namespace spurwerk::cli
