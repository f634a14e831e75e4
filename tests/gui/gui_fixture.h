#pragma once
// A scratch program folder with the templates and language files, and a
// program started on it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

#include "app/spurwerk_app.h"

namespace spurwerk::testing {

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

    // Starts the program on the folder and waits for its first activation.
    gui::SpurwerkApp& Start(const QStringList& parameters = {});
    gui::SpurwerkApp& App() { return *app_; }
    void Stop();

private:
    QTemporaryDir dir_;
    std::unique_ptr<gui::SpurwerkApp> app_;
};

}  // namespace spurwerk::testing
