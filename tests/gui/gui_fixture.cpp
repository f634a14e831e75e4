#include "gui_fixture.h"

#include <filesystem>

namespace spurwerk::testing {

GuiFixture::GuiFixture() {
    for (const char* name : {"PRJDATA_VorlageR16.ZDT", "PRJDATA_VorlageR24.ZDT", "EFXDATA_VorlageR16.ZDT",
                             "Spurwerk_GUI_Deutsch.INI", "Spurwerk_GUI_English.INI", "Spurwerk_README_Deutsch.TXT",
                             "Spurwerk_README_English.TXT"})
        QFile::copy(QString(SPURWERK_BIN_DIR) + "/" + name, Path(name));
}

GuiFixture::~GuiFixture() { Stop(); }

void GuiFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray GuiFixture::ReadFile(const QString& name) const {
    QFile file(Path(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

bool GuiFixture::Exists(const QString& name) const { return QFile::exists(Path(name)); }

QByteArray GuiFixture::ProjectBytes(int size) {
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

bool GuiFixture::CopyFolder(const QString& from, const QString& name) const {
    std::error_code error;
    std::filesystem::copy(from.toStdString(), Path(name).toStdString(), std::filesystem::copy_options::recursive, error);
    return !error;
}

gui::SpurwerkApp& GuiFixture::Start(const QStringList& parameters) {
    app_ = std::make_unique<gui::SpurwerkApp>(QDir::toNativeSeparators(Path("Spurwerk")).toStdString(), parameters);
    app_->Show();
    if (!QTest::qWaitFor([this] { return app_->State().FormActivated; }, 10000))
        qWarning("the program was not activated within 10 s");
    return *app_;
}

gui::SpurwerkApp& GuiFixture::StartQuiet(const QStringList& parameters) {
    WriteFile("Spurwerk.INI", QuietOptions);
    return Start(parameters);
}

void GuiFixture::Stop() { app_.reset(); }

}  // namespace spurwerk::testing
