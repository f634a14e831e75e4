#pragma once
// A scratch program folder with the templates and language files, and a
// program started on it. Brings the Qt widgets and the program's windows
// that every GUI test uses.

#include <QtTest>
#include <QtWidgets>

#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/spurwerk_app.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mixer/form_ctrls.h"

namespace spurwerk::testing {

// German, without the information window at the start.
inline const char* const QuietOptions =
    "[Options]\r\nLanguageIndex=1\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n";

// The window's child of that object name; stops the test when there is none.
template <class T>
T* Find(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
}

class GuiFixture {
public:
    GuiFixture() {
        for (const char* name : {"PRJDATA_VorlageR16.ZDT", "PRJDATA_VorlageR24.ZDT", "EFXDATA_VorlageR16.ZDT",
                                 "Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI",
                                 "Spurwerk_README_Deutsch.TXT", "Spurwerk_README_English.TXT"})
            QFile::copy(QString(SPURWERK_BIN_DIR) + "/" + name, Path(name));
    }
    ~GuiFixture() { Stop(); }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    QByteArray ReadFile(const QString& name) const {
        QFile file(Path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    // A project file of `size` bytes, byte i = i mod 251.
    static QByteArray ProjectBytes(int size) {
        QByteArray bytes(size, 0);
        for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
        return bytes;
    }
    // A copy of the folder `from` (the demo card) as `name` in the scratch folder.
    bool CopyFolder(const QString& from, const QString& name) const {
        std::error_code error;
        std::filesystem::copy(from.toStdString(), Path(name).toStdString(),
                              std::filesystem::copy_options::recursive, error);
        return !error;
    }

    // Starts the program on the folder and waits for its first activation.
    gui::SpurwerkApp& Start(const QStringList& parameters = {}) {
        app_ = std::make_unique<gui::SpurwerkApp>(QDir::toNativeSeparators(Path("Spurwerk")).toStdString(),
                                                  parameters);
        app_->Show();
        if (!QTest::qWaitFor([this] { return app_->State().FormActivated; }, 10000))
            qWarning("the program was not activated within 10 s");
        return *app_;
    }
    // The same with QuietOptions written first.
    gui::SpurwerkApp& StartQuiet(const QStringList& parameters = {}) {
        WriteFile("Spurwerk.INI", QuietOptions);
        return Start(parameters);
    }
    void Stop() { app_.reset(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<gui::SpurwerkApp> app_;
};

}  // namespace spurwerk::testing
