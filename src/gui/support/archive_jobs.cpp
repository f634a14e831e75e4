#include "support/archive_jobs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QProgressDialog>

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "app/app_state.h"
#include "io/path_text.h"
#include "settings/ui_texts.h"
#include "support/guarded.h"
#include "support/qt_text.h"

#ifdef SPURWERK_HAVE_ARCHIVE
#include "archive/project_archive.h"
#endif

namespace spurwerk::gui {

#ifndef SPURWERK_HAVE_ARCHIVE

bool ArchivingAvailable() { return false; }
void ArchiveProjects(QWidget*, AppState&, const std::vector<std::string>&) {}
void RestoreProjectArchive(QWidget*, AppState&) {}

#else

bool ArchivingAvailable() { return true; }

namespace {

// The questions a background run asks go to the window's thread and wait there.
class ForwardingDialogs : public Dialogs {
public:
    ForwardingDialogs(Dialogs& target, QObject* guiObject) : target_(target), guiObject_(guiObject) {}
    int Message(const std::string& text, MessageButtons buttons) override {
        int result = ResultCancel;
        QMetaObject::invokeMethod(
            guiObject_, [&] { result = target_.Message(text, buttons); }, Qt::BlockingQueuedConnection);
        return result;
    }
    int TimedInput(TimedInputRequest&) override { return ResultCancel; }
    HistInputResult InputHist(const HistInputRequest&) override { return {"", true, false, false}; }
    std::string SelectFolder(const std::string&, const std::string&) override { return ""; }
    bool AskAbortOnClick(int) override { return false; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void StartFurtherInstance(const std::string&) override {}

private:
    Dialogs& target_;
    QObject* guiObject_;
};

using Job = std::function<void(Dialogs& dialogs, const ArchiveProgress& progress)>;

// Runs `job` in a thread while the window shows its progress; Cancel stops it
// at its next step (SilentAbort). Errors of the job are thrown here.
void RunWithProgress(QWidget* parent, Dialogs& dialogs, const QString& title, const Job& job) {
    QProgressDialog progress(title, Q(UiTxt(UiText::MessageCancel)), 0, 1000, parent);
    progress.setObjectName("ArchiveProgressDialog");
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    progress.show();
    std::atomic<bool> cancelled{false};
    QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancelled = true; });
    QEventLoop loop;
    std::exception_ptr failure;
    ForwardingDialogs forwarding(dialogs, &progress);
    auto report = [&](std::uint64_t done, std::uint64_t total) {
        int value = total ? static_cast<int>(done * 1000 / total) : 0;
        // After a cancel the bar stays away (setValue would show it again).
        if (!cancelled)
            QMetaObject::invokeMethod(
                &progress, [&progress, &cancelled, value] { if (!cancelled) progress.setValue(value); },
                Qt::QueuedConnection);
        return !cancelled.load();
    };
    std::thread worker([&] {
        try {
            job(forwarding, report);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QApplication::processEvents();  // the last queued progress values, while `progress` lives
    progress.close();
    if (failure) std::rethrow_exception(failure);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

}  // namespace

void ArchiveProjects(QWidget* parent, AppState& state, const std::vector<std::string>& projectFiles) {
    Guarded(state.dialogs, [&] {
        std::vector<std::filesystem::path> folders;
        for (const std::string& file : projectFiles)
            if (auto folder = ProjectFolderOf(PathFromText(file))) folders.push_back(*folder);
        if (folders.empty()) {
            state.dialogs.Message(UiTxt(UiText::ArchiveNoProject), MessageButtons::Ok);
            return;
        }
        std::string target = state.dialogs.SelectFolder(UiTxt(UiText::ArchiveTargetPrompt), "");
        if (target.empty()) return;
        int remove = state.dialogs.Message(UiTxt(UiText::ArchiveRemoveQuestion), MessageButtons::YesNoCancel);
        if (remove == ResultCancel) return;
        ArchiveOptions options;
        options.removeAfter = remove == ResultYes;
        options.model = state.mainOptions.DevIsZoomR24 ? "R24" : "R16";
        std::vector<std::string> written;
        RunWithProgress(parent, state.dialogs, Q(UiTxt(UiText::ArchiveProgress)),
                        [&](Dialogs& dialogs, const ArchiveProgress& progress) {
                            for (std::size_t i = 0; i < folders.size(); ++i) {
                                auto part = [&](std::uint64_t done, std::uint64_t total) {
                                    // Each project is an equal share of the bar.
                                    std::uint64_t scaled = total ? done * 1000 / total : 0;
                                    return progress(i * 1000 + scaled, folders.size() * 1000);
                                };
                                ArchiveResult result = ArchiveProject(folders[i], PathFromText(target), options, dialogs, part);
                                if (!result.archive.empty())
                                    written.push_back(PathText(result.archive) + (result.removed ? "  (-)" : ""));
                            }
                        });
        if (!written.empty()) state.dialogs.Message(UiTxt(UiText::ArchiveDone, JoinLines(written)), MessageButtons::Ok);
    });
}

void RestoreProjectArchive(QWidget* parent, AppState& state) {
    Guarded(state.dialogs, [&] {
        QFileDialog chooser(parent, Q(UiTxt(UiText::RestoreOpenCaption)), QString(), "*.tar");
        chooser.setObjectName("RestoreArchiveDialog");
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        chooser.setFileMode(QFileDialog::ExistingFile);
        if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
        std::string archive = chooser.selectedFiles().front().toStdString();
        std::string card = state.dialogs.SelectFolder(UiTxt(UiText::RestoreCardPrompt), "");
        if (card.empty()) return;
        // The lowest free number is offered; another one may be taken (an
        // existing project there is only replaced after the usual question).
        QInputDialog number(parent);
        number.setObjectName("RestoreNumberDialog");
        number.setWindowTitle(Q(UiTxt(UiText::RestoreOpenCaption)));
        number.setLabelText(Q(UiTxt(UiText::RestoreNumberPrompt)));
        number.setInputMode(QInputDialog::IntInput);
        number.setIntRange(1, 999);
        number.setIntValue(NextFreeProjectNumber(PathFromText(card)));
        if (number.exec() != QDialog::Accepted) return;
        RestoreOptions options;
        options.number = number.intValue();
        RestoreResult result;
        RunWithProgress(parent, state.dialogs, Q(UiTxt(UiText::RestoreProgress)),
                        [&](Dialogs& dialogs, const ArchiveProgress& progress) {
                            result = RestoreArchive(PathFromText(archive), PathFromText(card), options, dialogs, progress);
                        });
        if (!result.folder.empty())
            state.dialogs.Message(UiTxt(UiText::RestoreDone, PathText(result.folder)), MessageButtons::Ok);
    });
}

#endif

}  // namespace spurwerk::gui
