// Spurwerk: the desktop editor for Zoom R16/R24 project files.

#include <QApplication>
#include <QFontDatabase>
#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <system_error>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/spurwerk_app.h"
#include "settings/file_error_text.h"
#include "support/font_files.h"
#include "support/heap_warmup.h"
#include "support/instant_hints.h"
#include "support/qt_text.h"
#include "support/thread_beside.h"
#include "ui/errors.h"

namespace {

// Calls `painted` once a paint of `window` is done (the start-up benchmark):
// at the first event after it that is no paint, so the paint itself counts.
class PaintProbe : public QObject {
public:
    PaintProbe(QWidget* window, std::function<void()> painted)
        : QObject(window), window_(window), painted_(std::move(painted)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window_) painting_ = true;
        } else if (painting_) {
            painting_ = false;
            painted_();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> painted_;
    bool painting_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    // A worker beside the start, begun first: it makes the heap the start
    // will use present (support/heap_warmup.h), then chooses the font files
    // and populates the font database (fontconfig's whole font list) while
    // the GUI thread builds the application object and the windows; that was
    // the largest single part of the start. QFontDatabase is thread-safe.
    // (Loading the fonts there too would not help: each thread has its own,
    // and the GUI thread would wait for the database's lock meanwhile.) The
    // window waits for the choice of font files before its first text, and
    // the windows' construction measures no text (fontconfig's configuration
    // is replaced meanwhile).
    const spurwerk::gui::HeapRegion startHeap = spurwerk::gui::ReserveHeap(2 << 20);
    auto prepareBeside = [startHeap] {
        spurwerk::gui::MakePagesPresent(startHeap);
        spurwerk::gui::MakePagesPresent(spurwerk::gui::ReserveHeap(1 << 20));  // its own heap: glibc gives each thread one
        try {
            spurwerk::gui::SkipType1FontsWithTwins();
        } catch (...) {
            // Out of memory: the fonts as fontconfig gives them; the window must not wait forever.
        }
    };
    auto filesChosen = std::make_shared<std::promise<void>>();
    std::future<void> fontFilesChosen = filesChosen->get_future();
    // The font list needs the application object: the worker waits for word
    // of it, and the application object outlives the worker.
    std::promise<bool> appMade;
    std::optional<spurwerk::gui::ThreadBeside> fonts;
    try {
        fonts.emplace("spurwerk-fonts", [prepareBeside, filesChosen, appReady = appMade.get_future().share()] {
            prepareBeside();
            filesChosen->set_value();
            if (appReady.get()) QFontDatabase::families();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the choice is made here, before anything waits for it.
        prepareBeside();
        filesChosen->set_value();
    }
    auto noApp = qScopeGuard([&appMade] { appMade.set_value(false); });
    QApplication app(argc, argv);
    noApp.dismiss();
    appMade.set_value(true);
    auto joinFonts = qScopeGuard([&fonts] {
        if (fonts) fonts->Join();
    });
    QApplication::setApplicationName("Spurwerk");
    spurwerk::gui::InstantHints::Install(app);
    // File errors in the window's language (the loaded language file holds the wording).
    spurwerk::SetFileErrorWording(&spurwerk::FileErrorInLanguage);

    QStringList parameters = QApplication::arguments().mid(1);
    std::string programFile = spurwerk::gui::S(QDir::toNativeSeparators(QApplication::applicationFilePath()));
    spurwerk::gui::SpurwerkApp spurwerk(programFile, parameters);
    fontFilesChosen.wait();
    spurwerk.Show();

    // The start-up benchmark: report once the main window has painted the
    // template, then once the mixer shows it too, then end.
    bool reported = false;
    if (qEnvironmentVariableIsSet("SPURWERK_STARTUP_PROBE")) {
        auto report = [&spurwerk, &reported] {
            if (reported || !spurwerk.State().FormActivated || !spurwerk.State().doc.IsProject()) return;
            std::printf("shown\n");
            std::fflush(stdout);
            reported = true;
        };
        // Shown is when the main window has painted the template.
        auto* painted = new PaintProbe(&spurwerk.Main(), report);
        app.installEventFilter(painted);
        auto* probe = new QTimer(&app);
        QObject::connect(probe, &QTimer::timeout, &app, [&reported] {
            if (!reported) return;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->objectName() == "FormCtrls" && window->isVisible()) {
                    std::printf("mixer shown\n");
                    std::fflush(stdout);
                    QApplication::exit(0);
                }
        });
        probe->start(1);
    }
    return app.exec();
}
