#include "support/folder_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>

#include "support/qt_text.h"

namespace spurwerk::gui {

std::string SelectFolder(QWidget* parent, const std::string& prompt, const std::string& startFolder) {
    QFileDialog dialog(parent, Q(prompt));
    dialog.setObjectName("FolderChooser");
    // The Qt dialog can preselect the start folder and show the path as it changes.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    QString start = Q(startFolder);
    if (!start.isEmpty() && QDir(start).exists()) {
        QDir folder(start);
        if (folder.cdUp()) {
            dialog.setDirectory(folder);
            dialog.selectFile(QDir(start).absolutePath());
        } else {
            dialog.setDirectory(start);
        }
    } else {
        dialog.setDirectory(QDir::rootPath());
    }
    auto* status = new QLabel(&dialog);
    status->setObjectName("LabelCurrentPath");
    if (dialog.layout()) dialog.layout()->addWidget(status);
    QObject::connect(&dialog, &QFileDialog::currentChanged, status,
                     [status](const QString& path) { status->setText(QDir::toNativeSeparators(path)); });
    status->setText(QDir::toNativeSeparators(start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString chosen = QDir::cleanPath(dialog.selectedFiles().front());
    return S(QDir::toNativeSeparators(chosen));
}

}  // namespace spurwerk::gui
