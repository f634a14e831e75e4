#include "support/file_action_menu.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include "project/wav_header.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"
#include "trackview/playback.h"

namespace spurwerk::gui {

void ShowShellContextMenu(QWidget* owner, const std::string& fileName, const QPoint& globalPos,
                          const ExtraMenuEntries& extra) {
    QFileInfo info(Q(fileName));
    if (!info.exists()) return;
    QMenu menu(owner);
    menu.setObjectName("ShellContextMenu");
    std::vector<QAction*> extraActions;
    for (const auto& entry : extra) extraActions.push_back(menu.addAction(entry.first));
    if (!extra.empty()) menu.addSeparator();
    QAction* open = menu.addAction(Q(UiTxt(UiText::MenuOpen)));
    QAction* show = menu.addAction(Q(UiTxt(UiText::MenuShowInFileManager)));
    QAction* copy = menu.addAction(Q(UiTxt(UiText::MenuCopyPath)));
    QAction* wav = nullptr;
    QAction* play = nullptr;
    if (info.suffix().compare("WAV", Qt::CaseInsensitive) == 0) {
        menu.addSeparator();
        wav = menu.addAction(Q(UiTxt(UiText::MenuWavInfo)));
        play = menu.addAction(Q(UiTxt(UiText::MenuPlay)));
        play->setObjectName("PMPlayWav");
    }
    QAction* chosen = menu.exec(globalPos);
    if (!chosen) return;
    for (std::size_t i = 0; i < extraActions.size(); ++i)
        if (chosen == extraActions[i]) {
            extra[i].second();
            return;
        }
    try {
        if (chosen == open) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
        } else if (chosen == show) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(info.absolutePath()));
        } else if (chosen == copy) {
            QGuiApplication::clipboard()->setText(QDir::toNativeSeparators(info.absoluteFilePath()));
        } else if (chosen == wav) {
            WavSummary summary = WavHeaderSummary(fileName, true);
            QMessageBox::information(owner, info.fileName(), info.fileName() + ":" + Q(summary.text));
        } else if (chosen == play) {
            QString problem;
            if (!PlaySingleFile(fileName, problem))
                QMessageBox::information(owner, info.fileName(), info.fileName() + ": " + problem);
        }
    } catch (const std::exception&) {
        // As the shell's menu: a failed command ends silently.
    }
}

}  // namespace spurwerk::gui
