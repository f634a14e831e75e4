#include "support/general_info_window.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

#include "app/app_state.h"
#include "project/link_time.h"
#include "io/text_file.h"
#include "io/path_text.h"
#include "support/guarded.h"
#include "support/qt_text.h"

#ifndef SPURWERK_FILE_VERSION
#define SPURWERK_FILE_VERSION "0.0.0.0"
#endif

namespace spurwerk::gui {

QString GeneralInfoCaption(const QString& programFile) {
    std::uint32_t stamp = GetLinkTimeStamp(S(programFile));
    // Program files without a PE header carry the time this program was built.
    if (stamp == 0) stamp = BuildTimeStamp();
    DateTimeParts t = UnixToDateTime(stamp);
    QLocale locale = QLocale::system();
    QString when = locale.toString(QDate(t.year, t.month, t.day), QLocale::ShortFormat) + " " +
                   QTime(t.hour, t.minute, t.second).toString("HH:mm:ss");
    return QDir::toNativeSeparators(programFile) + ",   Build:  " + SPURWERK_FILE_VERSION + ",  Comp.Time: " + when;
}

GeneralInfoWindow::GeneralInfoWindow(AppState& state, QWidget* parent) : QDialog(parent) {
    setObjectName("FormGeneralInfo");
    setWindowTitle(GeneralInfoCaption(QString::fromStdString(state.files.programFile)));
    resize(716, 860);
    auto* layout = new QVBoxLayout(this);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("MemoGeneralInfo");
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo_, 1);
    auto* bottom = new QHBoxLayout;
    cbShowAtStart_ = new QCheckBox("Diese Infos immer zeigen bei Programm-Start", this);
    cbShowAtStart_->setObjectName("CBShowGeneralInfoAtProgStart");
    cbShowAtStart_->setChecked(state.generalInfoOptions.ShowGeneralInfoAtProgStart);
    buttonClose_ = new QPushButton("&Schließen", this);
    buttonClose_->setObjectName("ButtonClose");
    bottom->addWidget(cbShowAtStart_);
    bottom->addStretch();
    bottom->addWidget(buttonClose_);
    layout->addLayout(bottom);
    connect(buttonClose_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cbShowAtStart_, &QCheckBox::clicked, this, [this] {
        if (saveOptions) saveOptions();
    });
    state.FinishWindowCreation(this);
}

void GeneralInfoWindow::LoadInfoText(const std::string& fileName) {
    try {
        memo_->setPlainText(QLines(ReadTextFile(PathFromText(fileName))));
    } catch (const std::exception&) {
        // No information text for this language: the old one stays.
    }
}

bool GeneralInfoWindow::ShowAtProgStart() const { return cbShowAtStart_->isChecked(); }
void GeneralInfoWindow::SetShowAtProgStart(bool show) { cbShowAtStart_->setChecked(show); }

void GeneralInfoWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 || event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace spurwerk::gui
