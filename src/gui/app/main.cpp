// Spurwerk: the desktop editor for Zoom R16/R24 project files.

#include <QApplication>
#include <QFontDatabase>
#include <QThreadPool>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/spurwerk_app.h"
#include "settings/file_error_text.h"
#include "support/instant_hints.h"
#include "support/qt_text.h"
#include "ui/errors.h"

namespace {

// Calls `paintedWithin` when a widget of `window` paints (the start-up benchmark).
class PaintProbe : public QObject {
public:
    PaintProbe(QWidget* window, std::function<void()> paintedWithin)
        : QObject(window), window_(window), paintedWithin_(std::move(paintedWithin)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_)
            paintedWithin_();
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> paintedWithin_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Spurwerk");
    // Showing the first text populates the font database (fontconfig's whole
    // font list), the largest single part of the start: begin it beside
    // building the windows. QFontDatabase is thread-safe.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    spurwerk::gui::InstantHints::Install(app);
    // File errors in the window's language (the loaded language file holds the wording).
    spurwerk::SetFileErrorWording(&spurwerk::FileErrorInLanguage);

    QStringList parameters = QApplication::arguments().mid(1);
    std::string programFile = spurwerk::gui::S(QDir::toNativeSeparators(QApplication::applicationFilePath()));
    spurwerk::gui::SpurwerkApp spurwerk(programFile, parameters);
    spurwerk.Show();

    // The start-up benchmark: report once the first activation is done, then
    // once the mixer shows the template too, then end.
    bool reported = false;
    if (qEnvironmentVariableIsSet("SPURWERK_STARTUP_PROBE")) {
        auto report = [&spurwerk, &reported] {
            if (reported || !spurwerk.State().FormActivated || !spurwerk.State().doc.IsProject()) return;
            std::printf("shown\n");
            std::fflush(stdout);
            reported = true;
        };
        // Shown is when the main window paints the template; the timer's tick
        // alone may come only after the mixer is built in the same turn.
        auto* painted = new PaintProbe(&spurwerk.Main(), report);
        app.installEventFilter(painted);
        auto* probe = new QTimer(&app);
        QObject::connect(probe, &QTimer::timeout, &app, [&reported, report] {
            report();
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
