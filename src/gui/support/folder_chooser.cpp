#include "support/folder_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTreeView>

#include <algorithm>
#include <tuple>
#include <vector>

#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

// Qt's dialog lays itself out in a grid: move its rows down one and put `top`
// above them, `bottom` below, both across the whole width.
void FrameGrid(QFileDialog& dialog, QWidget* top, QWidget* bottom) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        if (dialog.layout()) dialog.layout()->addWidget(bottom);
        return;
    }
    std::vector<std::tuple<QLayoutItem*, int, int, int, int>> items;
    int rows = 0, columns = std::max(1, grid->columnCount());
    while (grid->count() > 0) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(0, &row, &column, &rowSpan, &columnSpan);
        rows = std::max(rows, row + rowSpan);
        items.emplace_back(grid->takeAt(0), row, column, rowSpan, columnSpan);
    }
    grid->addWidget(top, 0, 0, 1, columns);
    for (auto& [item, row, column, rowSpan, columnSpan] : items) grid->addItem(item, row + 1, column, rowSpan, columnSpan);
    grid->addWidget(bottom, rows + 1, 0, 1, columns);
}

// Rewrites the model's date column with the default locale, the one the
// program's language sets.
class ProgramLocaleDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        constexpr int DateColumn = 3;
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() != DateColumn || !files)
            return QIdentityProxyModel::data(index, role);
        const QDateTime modified = files->lastModified(mapToSource(index));
        return modified.isValid() ? QLocale().toString(modified, QLocale::ShortFormat) : QString();
    }
};

}  // namespace

void ShowDatesInProgramLanguage(QFileDialog& dialog) {
    dialog.setProxyModel(new ProgramLocaleDates(&dialog));
}

void FitFileDialog(QFileDialog& dialog) {
    // Qt opens it at about 620 x 410 pixels, which cuts sizes and types.
    QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    dialog.resize(std::min(900, area.width() * 9 / 10), std::min(560, area.height() * 8 / 10));
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

std::string SelectFolder(QWidget* parent, const std::string& prompt, const std::string& startFolder) {
    // The title shows the prompt's first line; the whole prompt stands above the folders.
    QString promptText = QLines(prompt);
    QFileDialog dialog(parent, promptText.section(QLatin1Char('\n'), 0, 0));
    dialog.setObjectName("FolderChooser");
    // The Qt dialog can preselect the start folder and show the path as it changes.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    ShowDatesInProgramLanguage(dialog);
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
    auto* promptLabel = new QLabel(promptText, &dialog);
    promptLabel->setObjectName("LabelPrompt");
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->setWordWrap(true);
    QFont bold = promptLabel->font();
    bold.setBold(true);
    promptLabel->setFont(bold);
    auto* status = new QLabel(&dialog);
    status->setObjectName("LabelCurrentPath");
    FrameGrid(dialog, promptLabel, status);
    QObject::connect(&dialog, &QFileDialog::currentChanged, status,
                     [status](const QString& path) { status->setText(QDir::toNativeSeparators(path)); });
    status->setText(QDir::toNativeSeparators(start));
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString chosen = QDir::cleanPath(dialog.selectedFiles().front());
    return S(QDir::toNativeSeparators(chosen));
}

}  // namespace spurwerk::gui
