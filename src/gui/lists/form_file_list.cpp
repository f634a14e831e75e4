#include "lists/form_file_list.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "app/app_state.h"
#include "audio/audio_convert.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "support/audio_job.h"
#include "lists/named_widget.h"
#include "settings/language_file.h"
#include "settings/ui_texts.h"
#include "support/archive_jobs.h"
#include "support/file_action_menu.h"
#include "support/guarded.h"
#include "support/qt_text.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

namespace {

QCheckBox* NewCheckBox(const char* name, const char* caption, QWidget* parent, QRect geometry) {
    return Named(new QCheckBox(QString::fromUtf8(caption), parent), name, geometry);
}

}  // namespace

template <class Work>
void FormFileList::Run(Work&& work) {
    Guarded(state_.dialogs, std::forward<Work>(work));
}

FormFileList::FormFileList(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state), options_(state.fileListOptions) {
    setObjectName("FormFileList");
    setWindowTitle(Q(UiTxt(UiText::TitleFileList)));
    SetDesignFont(this);
    move(40, 60);
    resize(820, 500);
    BuildControls();
    list_.SetObserver(this);
    state.FinishWindowCreation(this);
    FillTrackInfoGroups();
    OptionsToControls();
}

void FormFileList::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildTopPanel());
    layout->addLayout(BuildListRow(), 1);
    BuildTrackInfoPanel();
    ConnectControls();
}

QFrame* FormFileList::BuildTopPanel() {
    panelTop_ = Named(new QFrame(this), "PanelTop", QRect(0, 0, 820, 108));
    panelTop_->setFixedHeight(108);
    QWidget* top = panelTop_;
    rgListSortType_ = Named(new QGroupBox(top), "RGListSortType", QRect(4, 0, 440, 38));
    SetComponentKind(rgListSortType_, ComponentKind::RadioGroup);
    sortButtons_ = new QButtonGroup(this);
    auto* sortLayout = new QHBoxLayout(rgListSortType_);
    sortLayout->setContentsMargins(6, 0, 6, 0);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(rgListSortType_);
        sortLayout->addWidget(radio);
        sortButtons_->addButton(radio, i);
    }
    SetSortTypeItems(ListSortTypeItems());
    cbSortReverse_ = NewCheckBox("CBSortReverse", "umgekehrt", top, QRect(450, 16, 90, 18));
    buttonSearch_ = Named(new QPushButton("Erneut su&chen ...", top), "ButtonSearch", QRect(550, 8, 130, 26));
    buttonArchive_ = Named(new QPushButton("&Archivieren ...", top), "ButtonArchive", QRect(686, 8, 130, 26));
    buttonArchive_->setToolTip("Gewählte Projekte archivieren (FLAC, geprüft)");
    buttonRestoreArchive_ =
        Named(new QPushButton("Archiv zurückholen ...", top), "ButtonRestoreArchive", QRect(610, 38, 206, 26));
    buttonArchive_->setVisible(ArchivingAvailable());
    buttonRestoreArchive_->setVisible(ArchivingAvailable());

    cbListRecordModi_ = NewCheckBox("CBListRecordModi", "Record-Modi", top, QRect(4, 42, 100, 18));
    cbListWAVFileSize_ = NewCheckBox("CBListWAVFileSize", "WAV-Datei-Größen", top, QRect(106, 42, 130, 18));
    cbListWAVFileDate_ = NewCheckBox("CBListWAVFileDate", "Date-Format:", top, QRect(238, 42, 100, 18));
    editListDTFormat_ = Named(new QLineEdit(DefaultListDateFormat, top), "EditListDTFormat", QRect(340, 40, 130, 22));
    Named(new QLabel("Schriftgröße:", top), "LabelFontSize", QRect(480, 42, 72, 18));
    seFontSize_ = Named(new QSpinBox(top), "SEFontSize", QRect(554, 40, 48, 22));
    seFontSize_->setRange(FontSizeMin, FontSizeMax);
    seFontSize_->setValue(8);

    Named(new QLabel("Track-Infos:", top), "LabelTrackInfos", QRect(4, 66, 70, 18));
    cbUseTrackInfos_ = NewCheckBox("CBUseTrackInfos", "anzeigen:", top, QRect(76, 66, 80, 18));
    cbTrackInfosCompact_ = NewCheckBox("CBTrackInfosCompact", "kompakt", top, QRect(372, 66, 90, 18));
    labelMessList_ = Named(new QLabel("(-)", top), "LabelMessList", QRect(4, 88, 812, 18));
    labelMessList_->setTextFormat(Qt::PlainText);
    labelMessList_->setAutoFillBackground(true);
    SetComponentKind(labelMessList_, ComponentKind::DataText);
    return panelTop_;
}

QHBoxLayout* FormFileList::BuildListRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName("ScrollBoxFiles");
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lbFiles_ = new QListWidget;
    lbFiles_->setObjectName("LBFiles");
    lbFiles_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbFiles_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbFiles_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    lbFiles_->setUniformItemSizes(true);
    lbFiles_->setContextMenuPolicy(Qt::CustomContextMenu);
    lbFiles_->setSelectionMode(QAbstractItemView::ExtendedSelection);  // several projects to archive
    scrollArea_->setWidget(lbFiles_);
    row->addWidget(scrollArea_, 1);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("ScrollBarForFileList");
    scrollBar_->setRange(0, 0);
    row->addWidget(scrollBar_);
    return row;
}

void FormFileList::BuildTrackInfoPanel() {
    // The group panel lies over the list while it is open, so it is no part of the layout.
    panelLBTrackInfos_ = Named(new QFrame(this), "PanelLBTrackInfos", QRect(160, 64, 206, 22));
    panelLBTrackInfos_->setFrameShape(QFrame::Panel);
    panelLBTrackInfos_->setAutoFillBackground(true);
    buttonLBTrackInfosSelect_ =
        Named(new QPushButton("Auswählen", panelLBTrackInfos_), "ButtonLBTrackInfosSelect", QRect(1, 1, 120, 20));
    buttonLBTrackInfosClear_ =
        Named(new QPushButton("Keine", panelLBTrackInfos_), "ButtonLBTrackInfosClear", QRect(123, 1, 82, 20));
    lbTrackInfos_ = Named(new QListWidget(panelLBTrackInfos_), "LBTrackInfos", QRect(1, 24, 204, 0));
    lbTrackInfos_->setSelectionMode(QAbstractItemView::MultiSelection);
    lbTrackInfos_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelLBTrackInfos_->raise();
}

void FormFileList::ConnectControls() {
    connect(sortButtons_, &QButtonGroup::idClicked, this, [this] { RGListSortTypeClick(); });
    connect(cbSortReverse_, &QCheckBox::clicked, this, [this] { RGListSortTypeClick(); });
    connect(seFontSize_, &QSpinBox::valueChanged, this, [this] { SEFontSizeChange(); });
    connect(buttonSearch_, &QPushButton::clicked, this, &FormFileList::ButtonSearchClick);
    connect(buttonArchive_, &QPushButton::clicked, this, &FormFileList::ButtonArchiveClick);
    connect(buttonRestoreArchive_, &QPushButton::clicked, this, &FormFileList::ButtonRestoreArchiveClick);
    for (QCheckBox* box : {cbListRecordModi_, cbListWAVFileSize_, cbListWAVFileDate_})
        connect(box, &QCheckBox::clicked, this, &FormFileList::CBAnyListUpdateClick);
    connect(cbTrackInfosCompact_, &QCheckBox::clicked, this, [this] { AnyTrackInfosAnyClick(TrackInfoSender::Compact); });
    connect(cbUseTrackInfos_, &QCheckBox::clicked, this,
            [this] { AnyTrackInfosAnyClick(TrackInfoSender::UseTrackInfos); });
    connect(lbTrackInfos_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!updatingControls_) AnyTrackInfosAnyClick(TrackInfoSender::GroupList);
    });
    connect(lbTrackInfos_, &QListWidget::itemDoubleClicked, this,
            [this] { AnyTrackInfosAnyClick(TrackInfoSender::SelectButton); });
    connect(buttonLBTrackInfosSelect_, &QPushButton::clicked, this,
            [this] { AnyTrackInfosAnyClick(TrackInfoSender::SelectButton); });
    connect(buttonLBTrackInfosClear_, &QPushButton::clicked, this,
            [this] { AnyTrackInfosAnyClick(TrackInfoSender::ClearButton); });
    connect(editListDTFormat_, &QLineEdit::textChanged, this, [this] { EditListDTFormatChange(); });
    connect(scrollBar_, &QScrollBar::valueChanged, this, &FormFileList::ScrollBarForFileListChange);
    // Wheel and keys move the list itself; the outer bar follows.
    connect(lbFiles_->verticalScrollBar(), &QScrollBar::valueChanged, scrollBar_, &QScrollBar::setValue);
    connect(lbFiles_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { LBFilesDblClick(lbFiles_->row(item)); });
    connect(lbFiles_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        LBFilesRightClick(lbFiles_->indexAt(pos).row(), lbFiles_->viewport()->mapToGlobal(pos));
    });
}

QWidget* FormFileList::TrackInfoPanel() const { return panelLBTrackInfos_; }

// --- options ------------------------------------------------------------------------

void FormFileList::SetSortTypeItems(const std::vector<std::string>& items) {
    const QList<QAbstractButton*> buttons = sortButtons_->buttons();
    for (int i = 0; i < buttons.size() && i < static_cast<int>(items.size()); ++i)
        sortButtons_->button(i)->setText(Q(items[static_cast<std::size_t>(i)]));
}

void FormFileList::LanguageApplied() { panelLBTrackInfos_->setToolTip(QLines(list_.TrackInfoHint())); }

void FormFileList::OptionsToControls() {
    updatingControls_ = true;
    const FileListOptions& o = options_;
    if (QAbstractButton* b = sortButtons_->button(o.ListSortType)) b->setChecked(true);
    cbSortReverse_->setChecked(o.SortReverse);
    cbListRecordModi_->setChecked(o.ListRecordModi);
    cbTrackInfosCompact_->setChecked(o.TrackInfosCompact);
    cbListWAVFileDate_->setChecked(o.ListWAVFileDate);
    cbListWAVFileSize_->setChecked(o.ListWAVFileSize);
    editListDTFormat_->setText(Q(o.ListDTFormat.empty() ? std::string(DefaultListDateFormat) : o.ListDTFormat));
    seFontSize_->setValue(o.FontSize);
    updatingControls_ = false;
    ControlsToLineOptions();
    SEFontSizeChange();
}

void FormFileList::ControlsToOptions() {
    FileListOptions& o = options_;
    o.ListSortType = std::max(0, sortButtons_->checkedId());
    o.SortReverse = cbSortReverse_->isChecked();
    o.ListRecordModi = cbListRecordModi_->isChecked();
    o.TrackInfosCompact = cbTrackInfosCompact_->isChecked();
    o.ListWAVFileDate = cbListWAVFileDate_->isChecked();
    o.ListWAVFileSize = cbListWAVFileSize_->isChecked();
    o.FontSize = seFontSize_->value();
    o.ListDTFormat = S(editListDTFormat_->text());
}

void FormFileList::ControlsToLineOptions() {
    list_.sortType = static_cast<ListSortType>(std::max(0, sortButtons_->checkedId()));
    list_.sortReverse = cbSortReverse_->isChecked();
    ListLineOptions& l = list_.lineOptions;
    l.listRecordModi = cbListRecordModi_->isChecked();
    l.listWavFileSize = cbListWAVFileSize_->isChecked();
    l.listWavFileDate = cbListWAVFileDate_->isChecked();
    l.trackInfos.compact = cbTrackInfosCompact_->isChecked();
    l.useTrackInfos = cbUseTrackInfos_->isChecked();
    l.minListFileLength = state_.mainOptions.MinListFileLength;
    l.showListSize = state_.mainOptions.ShowListSize;
    list_.SetDateFormat(S(editListDTFormat_->text()));
}

// --- the list -----------------------------------------------------------------------

void FormFileList::RGListSortTypeClick() {
    if (updatingControls_) return;
    ControlsToLineOptions();
    list_.Sort();
}

void FormFileList::SEFontSizeChange() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(seFontSize_->value());
    lbFiles_->setFont(font);
    QFontMetrics metrics(font);
    int widest = 0;
    for (const std::string& line : list_.Lines()) widest = std::max(widest, metrics.horizontalAdvance(QVisible(line)));
    lbFiles_->setFixedWidth(std::max(widest + 40, scrollArea_->viewport()->width()));
    UpdateScrollRange();
}

void FormFileList::UpdateScrollRange() {
    int height = scrollArea_->viewport()->height();
    lbFiles_->setFixedHeight(std::max(height, 1));
    int lines = lbFiles_->count();
    int itemHeight = std::max(1, lbFiles_->sizeHintForRow(0) > 0 ? lbFiles_->sizeHintForRow(0)
                                                                   : lbFiles_->fontMetrics().height());
    if (lines >= 2) {
        int page = std::min(lines, std::max(1, height / itemHeight));
        scrollBar_->setRange(0, lines - page);
        scrollBar_->setPageStep(page);
    } else {
        scrollBar_->setRange(0, 0);
    }
}

void FormFileList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    labelMessList_->setFixedWidth(std::max(100, width() - 8));
    lbFiles_->setFixedWidth(std::max(lbFiles_->width(), scrollArea_->viewport()->width()));
    UpdateScrollRange();
}

void FormFileList::ScrollBarForFileListChange(int position) {
    if (lbFiles_->verticalScrollBar()->value() != position) lbFiles_->verticalScrollBar()->setValue(position);
}

void FormFileList::LinesChanged() {
    lbFiles_->clear();
    for (const std::string& line : list_.Lines()) lbFiles_->addItem(QVisible(line));
    scrollBar_->setValue(0);
    SEFontSizeChange();
}

void FormFileList::MessageChanged(bool busy) {
    labelMessList_->setText(Q(list_.Message()));
    QPalette palette = labelMessList_->palette();
    palette.setColor(QPalette::Window, busy ? QColor(255, 255, 0) : this->palette().color(QPalette::Window));
    labelMessList_->setPalette(palette);
    // Lines found so far show while the walk goes on.
    const auto& lines = list_.Lines();
    for (int i = lbFiles_->count(); i < static_cast<int>(lines.size()); ++i)
        lbFiles_->addItem(QVisible(lines[static_cast<std::size_t>(i)]));
    labelMessList_->repaint();
}

void FormFileList::ShowWindow() {
    FillTrackInfoGroups();
    show();
    raise();
    activateWindow();
}

// --- opening an entry ---------------------------------------------------------------

void FormFileList::LBFilesDblClick(int row) {
    if (row < 0) return;
    Run([&] {
        std::string project = list_.OpenEntry(static_cast<std::size_t>(row), state_.dialogs);
        if (!project.empty() && loadProject) loadProject(project);
    });
}

void FormFileList::LBFilesRightClick(int row, const QPoint& globalPos) {
    if (row < 0 || row >= static_cast<int>(list_.Lines().size())) return;
    if (!lbFiles_->item(row)->isSelected()) lbFiles_->setCurrentRow(row);
    std::string path = ProjectList::EntryPath(list_.Lines()[static_cast<std::size_t>(row)], false);
    if (path.empty()) return;
    ExtraMenuEntries extra;
    if (ArchivingAvailable()) extra.push_back({buttonArchive_->text(), [this] { ButtonArchiveClick(); }});
    // A project's tracks, for other programs, as stored on the card.
    if (HasFileExt(path, ".ZDT") && AudioConversionAvailable())
        extra.push_back({Q(UiTxt(UiText::MenuExportTracks)), [this, path] {
            Run([&] {
                const Bytes project = ReadWholeFile(PathFromText(path));
                const int bits = project.size() > layout::RecordingDepthOffset &&
                                         project[layout::RecordingDepthOffset] == 1
                                     ? 24
                                     : 16;
                ChooseAndExportProjectTracks(this, state_.dialogs, project, path, bits);
            });
        }});
    ShowShellContextMenu(this, path, globalPos, extra);
}

void FormFileList::ButtonArchiveClick() {
    std::vector<std::string> files;
    for (int row = 0; row < lbFiles_->count() && row < static_cast<int>(list_.Lines().size()); ++row)
        if (lbFiles_->item(row)->isSelected())
            files.push_back(ProjectList::EntryPath(list_.Lines()[static_cast<std::size_t>(row)], false));
    ArchiveProjects(this, state_, files);
}

void FormFileList::ButtonRestoreArchiveClick() { RestoreProjectArchive(this, state_); }

// --- repeating the search -----------------------------------------------------------

void FormFileList::ButtonSearchClick() {
    ControlsToLineOptions();
    if (runSearch) runSearch(DirectoryRunKind::Search, false);
}

void FormFileList::CBAnyListUpdateClick() {
    ControlsToLineOptions();
    if (runSearch) runSearch(DirectoryRunKind::Search, true);
}

void FormFileList::EditListDTFormatChange() {
    if (editListDTFormat_->text().isEmpty()) {
        editListDTFormat_->setText(DefaultListDateFormat);  // comes back here with the default
        return;
    }
    list_.SetDateFormat(S(editListDTFormat_->text()));
}

// --- track-info groups --------------------------------------------------------------

void FormFileList::FillTrackInfoGroups() {
    if (trackParameters) {
        std::vector<std::string> names = trackParameters();
        // Unchanged groups keep their selection.
        if (!names.empty() && names != list_.TrackInfoGroups()) list_.SetTrackInfoGroups(std::move(names));
    }
    updatingControls_ = true;
    lbTrackInfos_->clear();
    for (const std::string& name : list_.TrackInfoGroups()) lbTrackInfos_->addItem(Q(name));
    updatingControls_ = false;
    TrackInfoPanelChanged();
}

void FormFileList::AnyTrackInfosAnyClick(TrackInfoSender sender) {
    bool repeat = false;
    Run([&] {
        ControlsToLineOptions();
        if (sender == TrackInfoSender::GroupList)
            for (int i = 0; i < lbTrackInfos_->count(); ++i)
                list_.SetGroupSelected(static_cast<std::size_t>(i), lbTrackInfos_->item(i)->isSelected());
        repeat = list_.TrackInfosClick(sender);
    });
    if (repeat && runSearch) runSearch(DirectoryRunKind::Search, true);
}

void FormFileList::TrackInfoPanelChanged() {
    updatingControls_ = true;
    cbUseTrackInfos_->setChecked(list_.lineOptions.useTrackInfos);
    const std::vector<bool>& selected = list_.SelectedGroups();
    for (int i = 0; i < lbTrackInfos_->count() && i < static_cast<int>(selected.size()); ++i)
        lbTrackInfos_->item(i)->setSelected(selected[static_cast<std::size_t>(i)]);
    updatingControls_ = false;
    int itemHeight = lbTrackInfos_->sizeHintForRow(0) > 0 ? lbTrackInfos_->sizeHintForRow(0)
                                                          : lbTrackInfos_->fontMetrics().height() + 2;
    int height = list_.TrackInfoPanelHeight(itemHeight);
    panelLBTrackInfos_->resize(panelLBTrackInfos_->width(), height);
    lbTrackInfos_->setVisible(list_.TrackInfoPanelOpen());
    lbTrackInfos_->resize(lbTrackInfos_->width(), std::max(0, height - 28));
    panelLBTrackInfos_->setToolTip(QLines(list_.TrackInfoHint()));
    panelLBTrackInfos_->raise();
}

}  // namespace spurwerk::gui
