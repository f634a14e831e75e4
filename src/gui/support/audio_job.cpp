#include "support/audio_job.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <thread>

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

}  // namespace spurwerk::gui
