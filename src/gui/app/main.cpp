// Spurwerk's window. For now it opens the project named on the command line (or
// the device template beside the program) and shows its name and bytes.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cstdio>

#include "files/path_text.h"
#include "project/document_ops.h"
#include "project/track_layout.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Spurwerk");

    std::string file = argc > 1 ? argv[1]
                                : (QCoreApplication::applicationDirPath() + "/PRJDATA_VorlageR16.ZDT").toStdString();
    QString title = QString::fromUtf8("Zoom-Projekt:  Hexadezimale Ansicht");
    QString heading;
    QString bytes;
    try {
        spurwerk::Bytes data = spurwerk::ReadWholeFile(spurwerk::PathFromText(spurwerk::ResolveInfoFileName(file)));
        heading = QString::fromUtf8("Projekt: \"%1\"\nDatei: %2")
                      .arg(QString::fromStdString(spurwerk::ReadProjectName(data)), QString::fromStdString(file));
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (i % 16 == 0) bytes += (i ? "\n" : "") + QString("$%1:").arg(i, 4, 16, QChar('0')).toUpper();
            bytes += QString(" %1").arg(data[i], 2, 16, QChar('0')).toUpper();
        }
    } catch (const std::exception& e) {
        heading = QString::fromUtf8(e.what());
    }

    QMainWindow window;
    window.setObjectName("FormMain");
    window.setWindowTitle(title);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* label = new QLabel(heading);
    label->setObjectName("LabelProjectName");
    auto* view = new QPlainTextEdit(bytes);
    view->setReadOnly(true);
    QFont mono("Courier New");
    mono.setStyleHint(QFont::Monospace);
    view->setFont(mono);
    layout->addWidget(label);
    layout->addWidget(view);
    window.setCentralWidget(central);
    window.resize(560, 610);
    window.show();
    return app.exec();
}
