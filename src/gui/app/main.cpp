// Spurwerk: the desktop editor for Zoom R16/R24 project files.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/spurwerk_app.h"
#include "settings/file_error_text.h"
#include "support/instant_hints.h"
#include "support/qt_text.h"
#include "ui/errors.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Spurwerk");
    spurwerk::gui::InstantHints::Install(app);
    // File errors in the window's language (the loaded language file holds the wording).
    spurwerk::SetFileErrorWording(&spurwerk::FileErrorInLanguage);

    QStringList parameters = QApplication::arguments().mid(1);
    std::string programFile = spurwerk::gui::S(QDir::toNativeSeparators(QApplication::applicationFilePath()));
    spurwerk::gui::SpurwerkApp spurwerk(programFile, parameters);
    spurwerk.Show();

    // The start-up benchmark: report once the first activation is done, then
    // once the mixer shows the template too, then end.
    if (qEnvironmentVariableIsSet("SPURWERK_STARTUP_PROBE")) {
        auto* probe = new QTimer(&app);
        QObject::connect(probe, &QTimer::timeout, &app, [&, reported = false]() mutable {
            if (!spurwerk.State().FormActivated || !spurwerk.State().doc.IsProject()) return;
            if (!reported) {
                std::printf("shown\n");
                std::fflush(stdout);
                reported = true;
            }
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
