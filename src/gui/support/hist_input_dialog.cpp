#include "support/hist_input_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

#include "io/path_text.h"
#include "settings/environment_text.h"
#include "settings/ui_texts.h"
#include "support/folder_chooser.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

constexpr int BrowseResult = 5;  // the ignore modal result of the browse button

bool NamesExistingFile(const std::string& text) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PathFromText(ExpandEnvStr(text)), ec);
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed().replace(';', ' ');
        filters << (description.endsWith(')') ? description : description + " (" + patterns + ")");
    }
    if (filters.isEmpty()) filters << Q(UiTxt(UiText::HistAllFiles)) + " (*)";
    return filters;
}

HistInputDialog::HistInputDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FormHistInput");
    setWindowTitle(Q(UiTxt(UiText::HistCaption)));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    labelInput_ = new QLabel(Q(UiTxt(UiText::HistPrompt)), this);
    labelInput_->setObjectName("LabelInput");
    QFont bold = labelInput_->font();
    bold.setBold(true);
    labelInput_->setFont(bold);
    layout->addWidget(labelInput_);
    cbInput_ = new QComboBox(this);
    cbInput_->setObjectName("CBInput");
    cbInput_->setEditable(true);
    cbInput_->setInsertPolicy(QComboBox::NoInsert);
    // Text typed stays as typed: an entry equal but for case must not replace it.
    cbInput_->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cbInput_->setMaxVisibleItems(9999);
    cbInput_->setMinimumWidth(520);
    cbInput_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->addWidget(cbInput_);

    auto* missing = new QHBoxLayout;
    labelNonExistent_ = new QLabel(this);
    labelNonExistent_->setObjectName("LabelNonExistentFileItems");
    buttonDeleteNonExistent_ = new QPushButton(this);
    buttonDeleteNonExistent_->setObjectName("ButtonDeleteNonExistentFileItems");
    missing->addWidget(labelNonExistent_);
    missing->addWidget(buttonDeleteNonExistent_);
    missing->addStretch();
    layout->addLayout(missing);

    cbOptional_ = new QCheckBox(this);
    cbOptional_->setObjectName("CBOptional");
    cbOptional2_ = new QCheckBox(this);
    cbOptional2_->setObjectName("CBOptional2");
    layout->addWidget(cbOptional_);
    layout->addWidget(cbOptional2_);

    auto* buttons = new QHBoxLayout;
    buttonIgnore_ = new QPushButton(this);
    buttonIgnore_->setObjectName("ButtonIgnore");
    okBtn_ = new QPushButton(this);
    okBtn_->setObjectName("OKBtn");
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(this);
    cancelBtn_->setObjectName("CancelBtn");
    buttons->addWidget(buttonIgnore_);
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    layout->addLayout(buttons);

    connect(okBtn_, &QPushButton::clicked, this, &HistInputDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &HistInputDialog::reject);
    connect(buttonIgnore_, &QPushButton::clicked, this, [this] { done(BrowseResult); });
    connect(buttonDeleteNonExistent_, &QPushButton::clicked, this, &HistInputDialog::DeleteNonExistentItems);
}

void HistInputDialog::accept() {
    if (checkFileExists_ && !NamesExistingFile(S(cbInput_->currentText()))) {
        QMessageBox::information(this, windowTitle(), Q(UiTxt(UiText::HistFileNotFound, S(cbInput_->currentText()))));
        return;
    }
    QDialog::accept();
}

void HistInputDialog::ShowHistory(bool fileChanged) {
    QString previous = cbInput_->currentText();
    cbInput_->clear();
    for (const std::string& item : history_.Items()) cbInput_->addItem(Q(item));
    if (fileChanged && cbInput_->count() > 0)
        cbInput_->setCurrentIndex(0);
    else
        cbInput_->setEditText(fileChanged ? QString() : previous);
}

void HistInputDialog::UpdateNonExistentCount() {
    int count = history_.CountNonExistent();
    labelNonExistent_->setText(Q(NonExistentEntriesText(count)));
    buttonDeleteNonExistent_->setEnabled(count >= 1);
    labelNonExistent_->setEnabled(count >= 1);
}

void HistInputDialog::DeleteNonExistentItems() {
    try {
        QString text = cbInput_->currentText();
        history_.DeleteNonExistent();
        ShowHistory(false);
        cbInput_->setEditText(text);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, windowTitle(), Q(e.what()));
    }
    UpdateNonExistentCount();
}

HistInputResult HistInputDialog::RunInputHist(const HistInputRequest& request, bool checkFileExists) {
    checkFileExists_ = checkFileExists;
    // The dialog lives on across language changes: its own captions are set on every call.
    setWindowTitle(Q(request.caption.empty() ? UiTxt(UiText::HistCaption) : request.caption));
    labelInput_->setText(request.prompt.empty() ? Q(UiTxt(UiText::HistPrompt)) : QLines(request.prompt));
    buttonDeleteNonExistent_->setText(Q(UiTxt(UiText::HistDeleteMissing)));
    okBtn_->setText(Q(UiTxt(UiText::HistOk)));
    cancelBtn_->setText(Q(UiTxt(UiText::HistCancel)));
    cbInput_->setToolTip(labelInput_->text());

    std::string before = history_.CurHistFile();
    history_.OpenHistory(request.histFile);
    bool fileChanged = history_.CurHistFile() != before;
    ShowHistory(fileChanged);
    if (!request.initialText.empty()) cbInput_->setEditText(Q(request.initialText));

    buttonIgnore_->setText(Q(request.browseCaption));
    buttonIgnore_->setVisible(!request.browseCaption.empty());
    labelNonExistent_->setVisible(request.showNonExistent);
    buttonDeleteNonExistent_->setVisible(request.showNonExistent);
    if (request.showNonExistent) UpdateNonExistentCount();
    cbOptional_->setText(Q(request.optCaption));
    cbOptional_->setVisible(!request.optCaption.empty());
    cbOptional_->setChecked(request.optChecked);
    cbOptional2_->setText(Q(request.opt2Caption));
    cbOptional2_->setVisible(!request.opt2Caption.empty());
    cbOptional2_->setChecked(request.opt2Checked);

    cbInput_->setFocus();
    cbInput_->lineEdit()->selectAll();
    int modalResult = exec();

    HistInputResult result;
    bool add = request.addToHist;
    if (modalResult == QDialog::Accepted) {
        result.text = S(cbInput_->currentText());
    } else if (modalResult == BrowseResult) {
        result.text = request.browseCaption;
        add = false;
    } else {
        // A Cancel leaves the history as it was (no empty entry on top).
        result.cancelled = true;
        add = false;
    }
    result.optChecked = cbOptional_->isChecked();
    result.opt2Checked = cbOptional2_->isChecked();
    if (add && !history_.CurHistFile().empty()) {
        history_.AddToHistory(result.text, "");
        ShowHistory(false);
        cbInput_->setEditText(Q(result.text));
    }
    return result;
}

HistInputResult HistInputDialog::Run(const HistInputRequest& request) {
    if (!request.isFileInput) return RunInputHist(request, false);

    HistInputRequest fileRequest = request;
    if (fileRequest.browseCaption.empty()) fileRequest.browseCaption = UiTxt(UiText::HistBrowse);
    HistInputResult result = RunInputHist(fileRequest, request.mustExist);
    if (result.text.empty()) return result;
    if (result.text == fileRequest.browseCaption) {
        QFileDialog dialog(this, Q(UiTxt(UiText::HistFindFile)));
        dialog.setObjectName("OpenDialog1");
        dialog.setNameFilters(QtNameFilters(request.filter.empty() ? UiTxt(UiText::HistAllFiles) + "|*.*" : request.filter));
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setSizeGripEnabled(true);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        ShowDatesInProgramLanguage(dialog);
        FitFileDialog(dialog);
        if (!request.initialText.empty()) dialog.selectFile(Q(request.initialText));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            result.text.clear();
            result.cancelled = true;
            return result;
        }
        result.text = S(QDir::toNativeSeparators(dialog.selectedFiles().front()));
        if (request.addToHist) history_.AddToCurrentHistory(result.text);
    }
    result.text = ExpandEnvStr(result.text);
    return result;
}

}  // namespace spurwerk::gui
