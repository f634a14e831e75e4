#include "files/end_mark_batch.h"

#include "io/directory_walk.h"
#include "io/file_lock.h"
#include "io/path_text.h"
#include "files/project_list.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "settings/text_table.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

class EndMarkWalk : public DirectoryVisitor {
public:
    EndMarkWalk(DocumentContext& context, ProjectList& list) : context_(context), list_(list) {}

    void EnterDirectory(const std::string&) override {
        if (context_.dialogs.AskAbortOnClick(counts.found)) throw SilentAbort();
    }

    void VisitFile(const std::string& dir, const std::string& name) override {
        if (!IsProjectFileName(UpperAscii(name))) return;
        ++counts.found;
        std::string file = dir + name;
        std::string remark;
        try {
            remark = Process(file);
        } catch (const FileError& error) {
            list_.AddLine(file + "    ## " + error.what());
            context_.session.doc.MarkLoaded();  // a mark that could not be saved is dropped
            throw;  // the walk notes it and goes on
        }
        list_.AddLine(remark.empty() ? file : file + "    ## " + remark);
        list_.SetMessage(std::to_string(counts.found) + " " + Txt(277), true);
    }

    EndMarkBatchCounts counts;

private:
    // Returns the remark of the project's line.
    std::string Process(const std::string& file) {
        ProjectSession& session = context_.session;
        ZDTDocument& doc = session.doc;
        // Held from the read to the write, as every command that changes a project.
        FileLock lock = FileLock::Acquire(PathFromText(ResolveInfoFileName(file)), session.lockTimeout);
        session.ZDTFileToLoad = file;
        if (!LoadZDTFile(context_, false)) return "";
        // A short file is no project: marks written into it would corrupt it.
        if (!doc.IsProject()) return "";
        std::int32_t recordingEnd = LongestWavDuration(AudioFolderOf(session.LoadedZDTFileName));
        if (SetEndMark(doc, recordingEnd, context_.dialogs) == SetEndMarkResult::TableFull)
            return MarkTableFullMessage();
        if (!doc.DataChanged()) return "";
        QuickSaveLoadedZDTFile(context_, session.LoadedZDTFileName, 100);
        if (doc.DataChanged()) return "";
        ++counts.changed;
        return Txt(276);
    }

    DocumentContext& context_;
    ProjectList& list_;
};

}  // namespace

std::string SetEndMarksInSubDirs(DocumentContext& context, std::string& baseDirSearch, ProjectList& list,
                                 const std::string& chosenRoot, EndMarkBatchCounts* counts) {
    Dialogs& dialogs = context.dialogs;
    if (context.session.doc.DataChanged()) {
        dialogs.Message(Txt(278), MessageButtons::Ok);
        return "";
    }
    list.Show();
    if (baseDirSearch.empty() && !context.session.LoadedZDTFileName.empty())
        baseDirSearch = ExtractFilePath(context.session.LoadedZDTFileName);

    std::string root = chosenRoot;
    if (root.empty()) {
        root = dialogs.SelectFolder(Txt(279) + "  " + Txt(280), baseDirSearch);
        if (root.empty()) return "";
    }
    if (dialogs.Message(Txt(281) + " \r\n" + Txt(282) + root + Txt(283), MessageButtons::OkCancel) != ResultOk)
        return "";

    root = AddTrailingBackslash(root);
    baseDirSearch = root;
    list.Clear();
    EndMarkWalk walk(context, list);
    WalkDirectory(root, walk);
    list.Sort();
    walk.counts.entryErrors = walk.entryErrors;
    if (counts) *counts = walk.counts;
    std::string message = std::to_string(walk.counts.changed) + " " + Txt(284) + " " +
                          std::to_string(walk.counts.found) + " " + Txt(285) + root + Txt(286);
    list.SetMessage(message);
    if (!walk.entryErrors.empty()) message += "\r\n\r\n" + EntryErrorsText(walk.entryErrors);
    dialogs.Message(message, MessageButtons::Ok);
    return message;
}

}  // namespace spurwerk
