#include "lists/form_proj_serie.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

#include "app/app_state.h"
#include "lists/named_widget.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "support/guarded.h"
#include "support/qt_text.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

namespace {

QLabel* NewLabel(const char* name, const char* caption, QWidget* parent, QRect geometry) {
    auto* label = Named(new QLabel(QString::fromUtf8(caption), parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

template <class Work>
void FormProjSerie::Run(Work&& work) {
    Guarded(state_.dialogs, std::forward<Work>(work));
}

FormProjSerie::FormProjSerie(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state), options_(state.projSerieOptions) {
    setObjectName("FormProjSerie");
    setWindowTitle(Q(UiTxt(UiText::TitleSeries)));
    SetDesignFont(this);
    move(80, 80);
    resize(480, 400);
    BuildControls();
    series_.SetObserver(this);
    state.FinishWindowCreation(this);
    OptionsToControls();
}

void FormProjSerie::BuildControls() {
    NewLabel("LabelBaseDirSerie", "Basis-Verzeichnis:", this, QRect(8, 9, 100, 16));
    editBaseDirSerie_ = Named(new QLineEdit("C:\\", this), "EditBaseDirSerie", QRect(110, 6, 330, 22));
    buttonOpenFolder_ = Named(new QPushButton("...", this), "ButtonOpenFolder", QRect(444, 6, 28, 22));
    labelSerieCount_ = NewLabel("LabelSerieCount", "Anzahl Projekte:", this, QRect(8, 37, 100, 16));
    seSerieCount_ = Named(new QSpinBox(this), "SESerieCount", QRect(110, 34, 56, 22));
    seSerieCount_->setRange(SerieCountMin, SerieCountMax);
    seSerieCount_->setValue(10);
    labelSerieStart_ = NewLabel("LabelSerieStart", "Start-Nr.:", this, QRect(190, 37, 60, 16));
    seSerieStart_ = Named(new QSpinBox(this), "SESerieStart", QRect(250, 34, 62, 22));
    seSerieStart_->setRange(SerieStartMin, SerieStartMax);
    seSerieStart_->setValue(1);
    labelNewAs_ = NewLabel("LabelNewAs", "neu anlegen als \"\\          nnn\\\"    in:", this, QRect(8, 65, 300, 16));
    editBaseSubDirs_ = Named(new QLineEdit("PROJ", this), "EditBaseSubDirs", QRect(8, 62, 44, 20));
    // Frameless, so that the prefix fits the blanks the heading leaves for it.
    editBaseSubDirs_->setFrame(false);
    editBaseSubDirs_->setTextMargins(0, 0, 0, 0);
    PlacePrefixField();
    // The previews are computed from the fields, never taken from a language.
    labelSubDirsVon_ = NewLabel("LabelSubDirsVon", "", this, QRect(8, 88, 464, 16));
    labelSubDirsBis_ = NewLabel("LabelSubDirsBis", "", this, QRect(8, 106, 464, 16));
    NewLabel("LabelProjNames", "Eingabe Liste der Projekt-Namen (max. 8 Zch.):", this, QRect(8, 132, 280, 16));
    buttonLoadProjNames_ = Named(new QPushButton("Laden ...", this), "ButtonLoadProjNames", QRect(296, 128, 84, 22));
    buttonSaveProjNames_ =
        Named(new QPushButton("Speichern ...", this), "ButtonSaveProjNames", QRect(384, 128, 88, 22));
    memoProjNames_ = Named(new QPlainTextEdit(this), "MemoProjNames", QRect(8, 154, 464, 176));
    labelMessSerie_ = NewLabel("LabelMessSerie", "(-)", this, QRect(8, 336, 464, 18));
    for (QLabel* data : {labelSubDirsVon_, labelSubDirsBis_, labelMessSerie_})
        SetComponentKind(data, ComponentKind::DataText);
    {
        QFont bold = labelMessSerie_->font();
        bold.setBold(true);
        labelMessSerie_->setFont(bold);
        QPalette blue = labelMessSerie_->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
        labelMessSerie_->setPalette(blue);
    }
    buttonOk_ = Named(new QPushButton("Projekte anlegen! ...", this), "ButtonOk", QRect(8, 362, 220, 28));
    buttonCancel_ = Named(new QPushButton("Abbruch", this), "ButtonCancel", QRect(252, 362, 110, 28));
    const QString hint = Q(ProjectSeries::EditBaseDirHint());
    for (QWidget* w : std::initializer_list<QWidget*>{editBaseDirSerie_, buttonOpenFolder_, editBaseSubDirs_})
        w->setToolTip(hint);

    connect(editBaseDirSerie_, &QLineEdit::textChanged, this, &FormProjSerie::AnySerieChange);
    connect(editBaseSubDirs_, &QLineEdit::textChanged, this, &FormProjSerie::AnySerieChange);
    connect(seSerieCount_, &QSpinBox::valueChanged, this, &FormProjSerie::AnySerieChange);
    connect(seSerieStart_, &QSpinBox::valueChanged, this, &FormProjSerie::AnySerieChange);
    connect(buttonOpenFolder_, &QPushButton::clicked, this, &FormProjSerie::ButtonOpenFolderClick);
    connect(buttonLoadProjNames_, &QPushButton::clicked, this, [this] { ButtonLoadSaveProjNamesClick(false); });
    connect(buttonSaveProjNames_, &QPushButton::clicked, this, [this] { ButtonLoadSaveProjNamesClick(true); });
    connect(buttonOk_, &QPushButton::clicked, this, &FormProjSerie::ButtonOkClick);
    connect(buttonCancel_, &QPushButton::clicked, this, &FormProjSerie::ButtonCancelClick);
}

// --- options and fields -------------------------------------------------------------

void FormProjSerie::OptionsToControls() {
    updating_ = true;
    editBaseDirSerie_->setText(Q(options_.BaseDirSerie));
    editBaseSubDirs_->setText(Q(options_.BaseSubDirs));
    seSerieCount_->setValue(options_.SerieCount);
    seSerieStart_->setValue(options_.SerieStart);
    updating_ = false;
    AnySerieChange();
}

void FormProjSerie::ControlsToOptions() {
    options_.BaseDirSerie = S(editBaseDirSerie_->text());
    options_.BaseSubDirs = S(editBaseSubDirs_->text());
    options_.SerieCount = seSerieCount_->value();
    options_.SerieStart = seSerieStart_->value();
}

void FormProjSerie::FieldsToSeries() {
    series_.baseDirSerie = S(editBaseDirSerie_->text());
    series_.baseSubDirs = S(editBaseSubDirs_->text());
    series_.serieCount = seSerieCount_->value();
    series_.serieStart = seSerieStart_->value();
    series_.projectNames.clear();
    const QStringList lines = memoProjNames_->toPlainText().split('\n');
    for (const QString& line : lines) series_.projectNames.push_back(S(line));
    // A trailing line break is no further name.
    if (!series_.projectNames.empty() && series_.projectNames.back().empty()) series_.projectNames.pop_back();
}

void FormProjSerie::SeriesToFields() {
    QStringList lines;
    for (const std::string& name : series_.projectNames) lines << Q(name);
    memoProjNames_->setPlainText(lines.join('\n'));
}

// --- handlers -----------------------------------------------------------------------

void FormProjSerie::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!series_.Running()) FormShow();
}

void FormProjSerie::FormShow() {
    std::string typed = S(editBaseDirSerie_->text());
    series_.FormShow(state_.session.LoadedZDTFileName);
    // Without a loaded project file the folder the user had stays; an empty one
    // would put the series into whatever the working folder happens to be.
    if (series_.baseDirSerie.empty()) series_.baseDirSerie = typed;
    editBaseDirSerie_->setText(Q(series_.baseDirSerie));
    labelMessSerie_->setText(Q(series_.Progress()));
}

void FormProjSerie::AnySerieChange() {
    if (updating_) return;
    series_.baseDirSerie = S(editBaseDirSerie_->text());
    series_.baseSubDirs = S(editBaseSubDirs_->text());
    series_.serieCount = seSerieCount_->value();
    series_.serieStart = seSerieStart_->value();
    series_.AnySerieChange();
}

void FormProjSerie::PreviewChanged() {
    labelSubDirsVon_->setText(Q(series_.LabelSubDirsVon()));
    labelSubDirsBis_->setText(Q(series_.LabelSubDirsBis()));
    QString startHint = QLines(series_.SerieStartHint());
    seSerieStart_->setToolTip(startHint);
    labelSerieStart_->setToolTip(startHint);
    QString countHint = QLines(Txt(104));
    seSerieCount_->setToolTip(countHint);
    labelSerieCount_->setToolTip(countHint);
}

void FormProjSerie::ProgressChanged() {
    labelMessSerie_->setText(Q(series_.Progress()));
    buttonOk_->setText(Q(series_.OkButtonCaption()));
    labelMessSerie_->repaint();
}

void FormProjSerie::PlacePrefixField() {
    // The heading leaves blanks after its first backslash for the field.
    const QString heading = labelNewAs_->text();
    const int slash = heading.indexOf('\\');
    if (slash < 0) return;
    int blanks = 0;
    while (slash + 1 + blanks < heading.size() && heading[slash + 1 + blanks] == ' ') ++blanks;
    const QFontMetrics metrics = labelNewAs_->fontMetrics();
    const int left = labelNewAs_->x() + labelNewAs_->contentsRect().left() + metrics.horizontalAdvance(heading.left(slash + 1));
    const int width = std::max(metrics.horizontalAdvance(QString(blanks, ' ')), editBaseSubDirs_->fontMetrics().horizontalAdvance("PROJ") + 2);
    editBaseSubDirs_->setGeometry(left, labelNewAs_->y() - 2, width, labelNewAs_->height() + 2);
    editBaseSubDirs_->raise();
}

void FormProjSerie::LanguageApplied() {
    setWindowTitle(Q(UiTxt(UiText::TitleSeries)));
    PlacePrefixField();
    // The language set ButtonOk's idle caption; a running series keeps "Abbrechen".
    series_.okCaption = S(buttonOk_->text());
    ProgressChanged();
    AnySerieChange();
}

void FormProjSerie::ButtonOpenFolderClick() {
    Run([&] {
        FieldsToSeries();
        series_.OpenFolder(state_.dialogs);
        editBaseDirSerie_->setText(Q(series_.baseDirSerie));
    });
}

void FormProjSerie::ButtonLoadSaveProjNamesClick(bool save) {
    Run([&] {
        FieldsToSeries();
        series_.LoadSaveProjNames(save, state_.dialogs, state_.files.prjNamesHistory);
        if (!save) SeriesToFields();
    });
}

void FormProjSerie::ButtonOkClick() {
    if (!withProjectFiles) return;
    // A click while the run waits in a question arrives here too and stops it.
    const bool starting = !series_.Running();
    if (starting) state_.dialogs.KeepUsableDuringQuestions(this);
    Run([&] {
        if (starting) FieldsToSeries();
        withProjectFiles([&](ProjectFilesContext& context) { series_.OkClick(context); });
    });
    if (starting) state_.dialogs.KeepUsableDuringQuestions(nullptr);
    ProgressChanged();
}

}  // namespace spurwerk::gui
