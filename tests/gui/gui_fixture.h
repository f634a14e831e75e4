#pragma once
// A scratch program folder with the templates and language files, and a
// program started on it. Brings the Qt widgets and the program's windows
// that every GUI test uses.

#include <QtTest>
#include <QtWidgets>

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
    GuiFixture();
    ~GuiFixture();

    QString Path(const QString& name) const { return dir_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& name) const;
    bool Exists(const QString& name) const;
    // A project file of `size` bytes, byte i = i mod 251.
    static QByteArray ProjectBytes(int size);
    // A copy of the folder `from` (the demo card) as `name` in the scratch folder.
    bool CopyFolder(const QString& from, const QString& name) const;

    // Starts the program on the folder and waits for its first activation.
    gui::SpurwerkApp& Start(const QStringList& parameters = {});
    // The same with QuietOptions written first.
    gui::SpurwerkApp& StartQuiet(const QStringList& parameters = {});
    void Stop();

private:
    QTemporaryDir dir_;
    std::unique_ptr<gui::SpurwerkApp> app_;
};

}  // namespace spurwerk::testing
