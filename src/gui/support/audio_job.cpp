#include "support/audio_job.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <filesystem>
#include <thread>

#include "audio/track_export.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "project/project_info.h"
#include "settings/cli_texts.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"
#include "text/placeholders.h"
#include "ui/errors.h"

namespace spurwerk::gui {

void RunAudioJob(QWidget* parent, const QString& title, const std::function<void(const ConversionProgress&)>& job) {
    std::atomic<bool> cancelled{false}, finished{false};
    std::atomic<int> permille{0};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            job([&](std::uint64_t done, std::uint64_t total) {
                if (total > 0) permille = static_cast<int>(std::min<std::uint64_t>(done * 1000 / total, 1000));
                return !cancelled.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    QProgressDialog progress(title, QProgressDialog::tr("Cancel"), 0, 1000, parent);
    progress.setObjectName("AudioJobProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        progress.setValue(permille.load());
        if (progress.wasCanceled()) cancelled = true;
        if (finished.load()) loop.quit();
    });
    poll.start(30);
    loop.exec();
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void ExportProjectTracks(QWidget* parent, Dialogs& dialogs, const Bytes& project, const std::string& projectFile,
                         const std::string& folder, const std::string& formatName) {
    if (!AudioConversionAvailable()) throw AudioSourceError(UiTxt(UiText::ConversionUnavailable));
    const ExportFormat format = ParseExportFormat(formatName).value_or(ExportFormat::Wav16);
    const std::vector<ExportItem> items = PlanProjectExport(project, projectFile, {}, folder, format);
    if (items.empty()) throw AudioSourceError(CliTxt(CliText::ExportNothing));
    int existing = 0;
    for (const ExportItem& item : items) {
        if (item.source.empty())
            throw AudioSourceError(CliTxt(CliText::ExportMissing, {std::to_string(item.tracks.front()), item.wavName,
                                                                   AudioFolderOf(projectFile)}));
        if (PathExists(item.target)) ++existing;
    }
    const bool replace =
        existing > 0 && dialogs.Message(FillPlaceholders(UiTxt(UiText::ExportOverwrite), {std::to_string(existing)}),
                                        MessageButtons::YesNo) == ResultYes;
    if (existing > 0 && !replace) throw SilentAbort();
    std::error_code ec;
    std::filesystem::create_directories(PathFromText(folder), ec);
    if (ec) throw FileError::For(FileStep::CreateFolder, PathFromText(folder), ec);
    RunAudioJob(parent, Q(UiTxt(UiText::AudioJobRunning)),
                [&](const ConversionProgress& progress) { ExportTracks(items, format, replace, progress); });
    std::string written;
    for (const ExportItem& item : items) written += CliTxt(CliText::Exported, {item.target}) + "\r\n";
    dialogs.Message(written, MessageButtons::Ok);
}

void ChooseAndExportProjectTracks(QWidget* parent, Dialogs& dialogs, const Bytes& project,
                                  const std::string& projectFile, int bits) {
    const QString folder = QFileDialog::getExistingDirectory(parent, Q(UiTxt(UiText::MenuExportTracks)));
    if (folder.isEmpty()) return;
    const QStringList formats = {QStringLiteral("wav16"), QStringLiteral("wav24"), QStringLiteral("flac")};
    bool ok = false;
    const QString format = QInputDialog::getItem(parent, Q(UiTxt(UiText::MenuExportTracks)),
                                                 Q(UiTxt(UiText::ExportFormatPrompt)), formats, bits == 24 ? 1 : 0,
                                                 false, &ok);
    if (ok) ExportProjectTracks(parent, dialogs, project, projectFile, S(folder), S(format));
}

}  // namespace spurwerk::gui
