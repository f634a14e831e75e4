#include "files/directory_search.h"

#include <optional>

#include "io/directory_walk.h"
#include "io/read_ahead_walk.h"
#include "files/list_line.h"
#include "io/path_text.h"
#include "files/project_list.h"
#include "project/project_name.h"
#include "project/project_session.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

std::string CleanSearchFilter(const std::string& filter) {
    std::size_t begin = filter.find_first_not_of(" *");
    if (begin == std::string::npos) return "";
    return UpperAscii(filter.substr(begin, filter.find_last_not_of(" *") - begin + 1));
}

namespace {

// Threads that read beside the calling one: a cold card answers that many
// reads at once instead of one after another.
constexpr int SearchReadWorkers = 2;

// The visit of a file is split: what its line reads runs ahead on the walk's
// readers (each with its own document for the project bytes); counting,
// listing and the messages run on the calling thread in walk order.
class SearchWalk : public ReadAheadVisitor {
public:
    SearchWalk(const std::string& filter, bool selectPrj, bool selectWav, ZDTDocument& doc, ProjectList& list,
               Dialogs& dialogs, int workers)
        : filter_(filter), selectPrj_(selectPrj), selectWav_(selectWav), options_(list.lineOptions),
          workerDocs_(static_cast<std::size_t>(workers)), callerDoc_(doc), list_(list), dialogs_(dialogs) {}

    void EnterDirectory(const std::string& dir) override {
        list_.SetMessage(std::to_string(counts.listed) + " " + Txt(190) + " " + dir + " ... ", true);
        if (dialogs_.AskAbortOnClick(counts.listed)) throw SilentAbort();
    }

    std::any ReadFile(const std::string& dir, const std::string& name, int slot) override {
        auto index = static_cast<std::size_t>(slot);
        return ListedLine(dir, name, index < workerDocs_.size() ? workerDocs_[index] : callerDoc_);
    }

    void VisitFile(const std::string&, const std::string&, ReadResult& read) override {
        ++counts.examined;
        std::optional<std::string>& line = read.Get<std::optional<std::string>>();
        if (!line) return;
        list_.AddLine(std::move(*line));
        ++counts.listed;
        list_.SetMessage(std::to_string(counts.listed) + " " + Txt(193), true);
    }

    SearchCounts counts;

private:
    // The file's line, or nothing when the file is not listed.
    std::optional<std::string> ListedLine(const std::string& dir, const std::string& name, ZDTDocument& doc) const {
        std::string upper = UpperAscii(name);
        bool filtered = !filter_.empty();
        if (!selectPrj_ && filtered && upper.find(filter_) == std::string::npos) return std::nullopt;

        ProjectNameInfo project;
        bool isProject = false;
        if (selectPrj_ || selectWav_) {
            if (selectPrj_ && IsProjectFileName(upper)) {
                project = GetZDTProjectName(doc, dir + name, true,
                                            options_.useTrackInfos ? &options_.trackInfos : nullptr);
                isProject = !filtered || upper.find(filter_) != std::string::npos ||
                            UpperAscii(project.name).find(filter_) != std::string::npos;
            }
            bool isWav = !isProject && selectWav_ && ContainsText(upper, ".WAV") &&
                         (!filtered || upper.find(filter_) != std::string::npos);
            if (!isProject && !isWav) return std::nullopt;
        }
        return BuildListLine(dir, name, isProject ? &project : nullptr, options_);
    }

    // Copies: the readers use them while the calling thread runs the window.
    const std::string filter_;
    const bool selectPrj_, selectWav_;
    const ListLineOptions options_;
    std::vector<ZDTDocument> workerDocs_;
    ZDTDocument& callerDoc_;
    ProjectList& list_;
    Dialogs& dialogs_;
};

std::string LoadedProjectDir(const ProjectSession& session) {
    return session.LoadedZDTFileName.empty() ? "" : ExtractFilePath(session.LoadedZDTFileName);
}

}  // namespace

SearchCounts SearchInSubDirs(const std::string& root, const std::string& filter, bool selectPrjFiles,
                             bool selectWavFiles, ZDTDocument& doc, ProjectList& list, Dialogs& dialogs) {
    list.SetMessage(Txt(196), true);
    list.Clear();
    SearchWalk walk(filter, selectPrjFiles, selectWavFiles, doc, list, dialogs, SearchReadWorkers);
    WalkDirectoryReadingAhead(root, walk, SearchReadWorkers);
    const std::string listed = std::to_string(walk.counts.listed), examined = std::to_string(walk.counts.examined);
    list.SetMessage(UiSentence(walk.counts.listed == 1 ? UiText::SearchFoundOne : UiText::SearchFound,
                               {listed, examined, root}, listed + " " + Txt(197) + " " + examined + ") in \"" + root + Txt(198)));
    list.Sort();
    walk.counts.entryErrors = walk.entryErrors;
    return walk.counts;
}

std::string DirectorySearch::Run(DirectoryRunKind kind, bool silentRepeat, ProjectSession& session, ProjectList& list,
                                 Dialogs& dialogs, const InfoFileLabel& label, bool keepFolderAndFilter) {
    list.Show();
    ZDTDocument& doc = session.doc;
    if (baseDirSearch.empty()) baseDirSearch = LoadedProjectDir(session);

    if (!silentRepeat && !keepFolderAndFilter) {
        std::string verb = kind == DirectoryRunKind::UpdateInfoFiles ? Txt(205)
                           : kind == DirectoryRunKind::Search        ? Txt(207)
                                                                     : Txt(206);
        const bool all = kind == DirectoryRunKind::DeleteAllInfoFiles;
        const std::string joined = (all ? Txt(210) + " " : "") + Txt(208) + verb + "!";
        std::string caption = UiSentence(UiText::SearchFolderPrompt, {all ? verb + " " + Txt(210) : verb}, joined) +
                              "\r\n" + Txt(209);
        std::string chosen = dialogs.SelectFolder(caption, baseDirSearch);
        if (chosen.empty()) return "";
        baseDirSearch = AddTrailingBackslash(chosen);
    }
    if (baseDirSearch.empty()) return "";
    const std::string root = AddTrailingBackslash(baseDirSearch);

    switch (kind) {
        case DirectoryRunKind::UpdateInfoFiles: {
            std::string message = UpdateInfoFiles(root, doc, list, dialogs, label);
            dialogs.Message(message, MessageButtons::Ok);
            return message;
        }
        case DirectoryRunKind::DeleteUnassignedInfoFiles:
        case DirectoryRunKind::DeleteAllInfoFiles: {
            std::string message = DeleteInfoFiles(root, kind == DirectoryRunKind::DeleteAllInfoFiles, doc, list,
                                                  dialogs, label);
            dialogs.Message(message, MessageButtons::Ok);
            return message;
        }
        case DirectoryRunKind::Search: break;
    }

    if (!(filterDialogShown_ && (keepFolderAndFilter || silentRepeat))) {
        HistInputRequest request;
        request.caption = Txt(195);
        request.prompt = UiTxt(UiText::SearchPrompt);
        request.histFile = searchFilterHistory;
        request.initialText = filter;
        request.optCaption = UiTxt(UiText::SearchWavFilter);
        request.optChecked = selectWavFiles;
        request.opt2Caption = UiTxt(UiText::SearchZdtFilter);
        request.opt2Checked = selectPrjFiles;
        HistInputResult answer = dialogs.InputHist(request);
        filterDialogShown_ = true;
        filterCancelled_ = answer.cancelled;
        if (!answer.cancelled) {
            filter = answer.text;
            selectWavFiles = answer.optChecked;
            selectPrjFiles = answer.opt2Checked;
        }
    }
    if (filterCancelled_) return "";
    filter = CleanSearchFilter(filter);
    SearchCounts counts = SearchInSubDirs(root, filter, selectPrjFiles, selectWavFiles, doc, list, dialogs);
    if (!counts.entryErrors.empty()) dialogs.Message(EntryErrorsText(counts.entryErrors), MessageButtons::Ok);
    return list.Message();
}

}  // namespace spurwerk
