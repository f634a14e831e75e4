#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

#include "app/app_state.h"
#include "app/language_window.h"
#include "app/late_windows.h"
#include "io/path_text.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mainwin/hex_view.h"
#include "mixer/form_ctrls.h"
#include "project/hex_layout.h"
#include "project/project_check.h"
#include "project/track_layout.h"
#include "settings/language_choice.h"
#include "settings/language_file.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "support/archive_jobs.h"
#include "support/design_font.h"
#include "support/elided_path.h"
#include "support/general_info_window.h"
#include "support/guarded.h"
#include "support/multi_line_button.h"
#include "support/new_label.h"
#include "support/qt_text.h"
#include "support/qt_translations.h"
#include "support/widget_components.h"

namespace spurwerk::gui {

namespace {

QFrame* NewPanel(const char* name, QWidget* parent, int height) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    return panel;
}

QFrame* NewBar(const char* name, QWidget* parent, QRect geometry) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setAutoFillBackground(true);
    QPalette black = bar->palette();
    black.setColor(QPalette::Window, Qt::black);
    bar->setPalette(black);
    return bar;
}

template <class Button = QPushButton>
Button* NewButton(const char* name, const char* caption, QWidget* parent, QRect geometry, const char* hint = "") {
    auto* button = new Button(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}


// A label showing the loaded project's data: no language sets its text.
QLabel* NewDataLabel(const char* name, QWidget* parent, QRect geometry) {
    QLabel* label = NewLabel(name, "(-)", parent, geometry);
    label->setTextFormat(Qt::PlainText);
    SetComponentKind(label, ComponentKind::DataText);
    return label;
}

void SetBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void SetTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

}  // namespace

template <class Work>
void MainWindow::Run(Work&& work) {
    Guarded(state_.dialogs, std::forward<Work>(work));
}

MainWindow::MainWindow(AppState& state, QStringList parameters, QWidget* parent)
    : QWidget(parent), state_(state), parameters_(std::move(parameters)) {
    // Every load and save tells this window, which passes it on to the mixer.
    state_.session.SetHost(this);
    setObjectName("FormMain");
    setWindowTitle(QModifiableTitle(UiTxt(UiText::TitleMain)));
    setFont(DesignFont());
    resize(355, 610);
    move(0, 0);
    setAcceptDrops(true);

    // Start-up: text table, language box, developer export, document, options.
    InitResStrArr();
    UseQtTranslations(UiTxt(UiText::QtLanguage));
    BuildControls();
    Run([&] {
        cbLanguage_->addItems([&] {
            QStringList items;
            for (const std::string& entry : InitCBLanguage(state_.files.GuiFileName)) items << Q(entry);
            return items;
        }());
    });
    std::error_code ec;
    state_.DoSaveAllGUIs = std::filesystem::exists(PathFromText(state_.files.doSaveAllGUIsMarker), ec);
    if (state_.DoSaveAllGUIs) Run([&] { LoadSaveResStrArr(true, state_.files.GuiFileName, state_.dialogs); });
    documentToken_ = state_.doc.Subscribe([this](const DocumentChange& change) { DocumentChanged(change); });
    state_.HexRowHeight = HexRowHeightFor(HexView::FontPoints);
    try {
        LoadSaveIniFile(false);
    } catch (...) {
        // Start-up goes on with the values it has.
    }
    state_.FinishWindowCreation(this);
    PreloadLanguageTexts();
    cbUseInfoFiles_->setToolTip(QLines(Txt(180)));

    labelNotAProject_ = new QLabel(this);
    labelNotAProject_->setObjectName("LabelNotAProject");
    labelNotAProject_->setWordWrap(true);
    labelNotAProject_->setTextFormat(Qt::PlainText);
    SetTextColour(labelNotAProject_, QColor(255, 0, 0));
    SetBold(labelNotAProject_);
    labelNotAProject_->hide();
    // Between the status strip and the hex view.
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, labelNotAProject_);
    for (auto [keys, undo] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), true},
                              std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), false},
                              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, undo ? &MainWindow::Undo : &MainWindow::Redo);
    }
}

MainWindow::~MainWindow() {
    state_.doc.Unsubscribe(documentToken_);
    state_.session.SetHost(nullptr);
}

void MainWindow::Undo() {
    Run([&] { state_.doc.Undo(); });
}

void MainWindow::Redo() {
    Run([&] { state_.doc.Redo(); });
}

void MainWindow::DocumentChanged(const DocumentChange& change) {
    switch (change.event) {
        case DocumentEvent::Written: hexView_->RepaintCells(change.offset, change.length); break;
        case DocumentEvent::Replaced:
            hexView_->RepaintAll();
            if (change.fromHistory) ShowProjectName(ReadProjectName(state_.doc.ZDTData()));
            ShowDocumentState();
            break;
        case DocumentEvent::CompareReplaced: hexView_->RepaintAll(); break;
        case DocumentEvent::ChangedMark:
        case DocumentEvent::History: ShowDocumentState(); break;
    }
}

void MainWindow::ShowDocumentState() {
    // The title bars mark unsaved changes.
    const bool changed = state_.doc.DataChanged();
    setWindowModified(changed);
    if (ctrls_) ctrls_->setWindowModified(changed);
    if (!labelNotAProject_) return;
    SetTopPanelHint(topPanelHintTexts_.first, topPanelHintTexts_.second);
    std::string warning = NotAProjectWarning(state_.doc.ZDTData());
    labelNotAProject_->setText(Q(warning));
    labelNotAProject_->setVisible(!warning.empty());
}

void MainWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildTopPanel());
    layout->addWidget(BuildExpertPanel());
    layout->addWidget(BuildStatusPanel());
    hexScroll_ = new QScrollArea(this);
    hexScroll_->setFrameShape(QFrame::NoFrame);
    hexScroll_->setWidgetResizable(true);
    hexScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    hexView_ = new HexView(state_.doc, state_.HexRowHeight, labelDiffBytes_);
    hexView_->trackCount = [this] { return state_.mainOptions.ActMaxTrackIdx; };
    hexScroll_->setWidget(hexView_);
    layout->addWidget(hexScroll_, 1);
    ConnectControls();
}

QFrame* MainWindow::BuildTopPanel() {
    panelTop_ = NewPanel("PanelTop", this, 185);
    QWidget* top = panelTop_;
    cbLanguage_ = new QComboBox(top);
    cbLanguage_->setObjectName("CBLanguage");
    cbLanguage_->setGeometry(4, 4, 150, 22);
    panelGeneralInfo_ = NewLabel("PanelGeneralInfo", "Infos/Hilfe zu Spurwerk? <F1>", top, QRect(158, 4, 193, 22));
    SetComponentKind(panelGeneralInfo_, ComponentKind::Panel);
    panelGeneralInfo_->setTextFormat(Qt::PlainText);
    panelGeneralInfo_->setAlignment(Qt::AlignCenter);
    panelGeneralInfo_->setFrameShape(QFrame::Panel);
    panelGeneralInfo_->setFrameShadow(QFrame::Raised);
    panelGeneralInfo_->setAutoFillBackground(true);
    QPalette aqua = panelGeneralInfo_->palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    panelGeneralInfo_->setPalette(aqua);
    panelGeneralInfo_->setToolTip("Infos/Hilfe zu Spurwerk?");
    panelGeneralInfo_->setCursor(Qt::PointingHandCursor);
    buttonLoadZDTFile_ = NewButton<MultiLineButton>("ButtonLoadZDTFile", "&Öffne  Zoom-Projekt   (ZDT-Datei)", top,
                                                    QRect(4, 30, 140, 40));
    SetBold(buttonLoadZDTFile_);
    buttonSearchInSubDirs_ = NewButton<MultiLineButton>("ButtonSearchInSubDirs",
                                                        "Liste / Such&en nach  Dateiname/Proj.Name", top,
                                                        QRect(150, 30, 201, 40), "Suche nach Datei-/Projekt-Name ...");
    NewBar("Panel1", top, QRect(0, 74, 355, 5));
    SetBold(NewLabel("Label2", "Speichern:", top, QRect(4, 86, 62, 16)));
    buttonQuickSave_ = NewButton("ButtonQuickSaveLoadedZDTFile", "Nur ZDT-Datei", top, QRect(68, 82, 96, 24),
                                 "Speichert nur die geladene ZDT-Datei unter gleichem Namen");
    buttonQuickSaveAs_ = NewButton("ButtonQuickSaveLoadedZDTFileAs", "unter ...", top, QRect(166, 82, 62, 24),
                                   "Speichert nur die geladene ZDT-Datei unter neuem Namen");
    buttonSaveProject_ = NewButton("ButtonSaveProject", "Als &Projekt speichern unter ...", top, QRect(68, 108, 160, 24));
    cbSaveOptionsOnExit_ = NewButton<QCheckBox>("CBSaveOptionsOnExit", "Pos.+Einstell. b. Beenden speichern", top,
                                                QRect(4, 136, 250, 16));
    cbSaveOptionsOnExit_->setChecked(true);
    buttonSetCtrls_ = NewButton("ButtonSetCtrls", "(unsichtbar:)  In Mi&xer-Fenster übertragen!", top, QRect(4, 108, 60, 24));
    buttonSetCtrls_->setVisible(false);
    buttonCopyAProjectFromTo_ = NewButton("ButtonCopyAProjectFromTo", "Ein Projekt kopieren unter ...", top,
                                          QRect(232, 82, 119, 24),
                                          "Alle Dateien des Projektes (incl. Audio-Files) kopieren nach ...");
    buttonSaveZDTFileSerie_ = NewButton("ButtonSaveZDTFileSerie", "Projekt-Serie erstellen ...", top,
                                        QRect(232, 108, 119, 24),
                                        "Mehrere Projekte (in verschiedenen Verzeichnissen) erstellen aus dieser Datei "
                                        "als Vorlage mit Audio-Dateien aus Vorlage");
    NewBar("Panel2", top, QRect(0, 134, 0, 0))->hide();  // the design's second separator, kept for its name
    buttonRestoreArchive_ = NewButton("ButtonRestoreArchive", "Archiv zurückholen ...", top, QRect(4, 156, 347, 22));
    buttonRestoreArchive_->setVisible(ArchivingAvailable());
    panelSwitchExpertFunctions_ = NewBar("PanelSwitchExpertFunctions", top, QRect(0, 180, 355, 5));
    panelSwitchExpertFunctions_->setToolTip("SwitchExpertFunctions");
    panelSwitchExpertFunctions_->setCursor(Qt::PointingHandCursor);
    return panelTop_;
}

QFrame* MainWindow::BuildExpertPanel() {
    panelExpertFunctions_ = NewPanel("PanelExpertFunctions", this, 64);
    QWidget* expert = panelExpertFunctions_;
    // Two rows, so that each caption has the room it needs.
    cbUseInfoFiles_ = NewButton<QCheckBox>("CBUseInfoFiles", "Pr.Name-Dateien autom. anlegen + verwalten", expert,
                                           QRect(4, 2, 272, 16));
    buttonDeleteAllInfoFiles_ = NewButton("ButtonDeleteAllInfoFilesInSubDirs", "Alle löschen ...", expert,
                                          QRect(280, 0, 71, 20));
    buttonUpdateInfoFiles_ = NewButton("ButtonUpdateInfoFilesInSubDirs",
                                       "Pr.Name-Dat. in Verz. erzeugen/aktualisieren ...", expert, QRect(4, 21, 199, 22));
    buttonDeleteUnassignedInfoFiles_ = NewButton("ButtonDeleteUnassignedInfoFilesInSubDirs",
                                                 "Nicht zugeordnete löschen ...", expert, QRect(205, 21, 146, 22));
    labelInfoFile_ = NewDataLabel("LabelInfoFile", expert, QRect(4, 44, 347, 16));
    panelExpertFunctions_->hide();
    return panelExpertFunctions_;
}

QFrame* MainWindow::BuildStatusPanel() {
    QFrame* panel3 = NewPanel("Panel3", this, 32);
    NewLabel("Label5", "Projekt:", panel3, QRect(4, 1, 44, 15));
    labelProjectName_ = NewDataLabel("LabelProjectName", panel3, QRect(50, 1, 196, 15));
    SetBold(labelProjectName_);
    NewLabel("Label4", "Datei:", panel3, QRect(4, 16, 44, 15));
    labelProjectFile_ = NewDataLabel("LabelProjectFile", panel3, QRect(50, 16, 196, 15));
    buttonCompToZDTFile_ = NewButton("ButtonCompToZDTFile", "Ver&gleiche mit ...", panel3, QRect(250, 1, 101, 15));
    auto* label1 = NewLabel("Label1", "Unterschiede:", panel3, QRect(250, 16, 70, 15));
    labelDiffBytes_ = NewDataLabel("LabelDiffBytes", panel3, QRect(320, 16, 34, 15));
    SetTextColour(label1, QColor(255, 0, 0));
    SetTextColour(labelDiffBytes_, QColor(255, 0, 0));
    return panel3;
}

void MainWindow::ConnectControls() {
    connect(cbLanguage_, &QComboBox::activated, this, [this] { CBLanguageChange(true); });
    connect(buttonLoadZDTFile_, &QPushButton::clicked, this, &MainWindow::ButtonLoadZDTFileClick);
    connect(buttonQuickSave_, &QPushButton::clicked, this, [this] { ButtonQuickSaveClick(false); });
    connect(buttonQuickSaveAs_, &QPushButton::clicked, this, [this] { ButtonQuickSaveClick(true); });
    connect(buttonSetCtrls_, &QPushButton::clicked, this, &MainWindow::ButtonSetCtrlsClick);
    connect(buttonCompToZDTFile_, &QPushButton::clicked, this, &MainWindow::ButtonCompToZDTFileClick);
    connect(buttonSaveZDTFileSerie_, &QPushButton::clicked, this, &MainWindow::ButtonSaveZDTFileSerieClick);
    connect(cbSaveOptionsOnExit_, &QCheckBox::clicked, this, &MainWindow::CBSaveOptionsOnExitClick);
    for (QPushButton* b : {buttonSearchInSubDirs_, buttonUpdateInfoFiles_, buttonDeleteUnassignedInfoFiles_,
                           buttonDeleteAllInfoFiles_})
        connect(b, &QPushButton::clicked, this, [this, b] {
            if (searchInSubDirs) Run([&] { searchInSubDirs(b); });
        });
    connect(buttonSaveProject_, &QPushButton::clicked, this, [this] {
        if (saveProject) Run(saveProject);
    });
    connect(buttonCopyAProjectFromTo_, &QPushButton::clicked, this, [this] {
        if (copyProject) Run(copyProject);
    });
    connect(buttonRestoreArchive_, &QPushButton::clicked, this, [this] { RestoreProjectArchive(this, state_); });
    panelGeneralInfo_->installEventFilter(this);
    panelSwitchExpertFunctions_->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState appState) {
        if (appState == Qt::ApplicationActive) CheckFileOnDisk();
    });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &MainWindow::PanelGeneralInfoClick);
}

void MainWindow::Attach(FormCtrls* ctrls, LateWindows* windows) {
    ctrls_ = ctrls;
    windows_ = windows;
}

void MainWindow::LateWindowBuilt(FormFileList& fileList) {
    if (languageFile_.empty()) return;
    LanguageToLateWindow(&fileList);
    fileList.SetSortTypeItems(ListSortTypeItems());
    fileList.setWindowTitle(Q(UiTxt(UiText::TitleFileList)));
    fileList.LanguageApplied();
}

void MainWindow::LateWindowBuilt(FormProjSerie& projSerie) {
    LanguageToLateWindow(&projSerie);
    if (!languageFile_.empty()) projSerie.LanguageApplied();
    if (state_.FormActivated) projSerie.UpdateDerivedFields();
}

void MainWindow::LateWindowBuilt(GeneralInfoWindow& generalInfo) {
    generalInfo.saveOptions = [this] { Run([&] { LoadSaveIniFile(true); }); };
    LanguageToLateWindow(&generalInfo);
    if (!infoTextFile_.empty()) generalInfo.LoadInfoText(infoTextFile_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == panelGeneralInfo_) PanelGeneralInfoClick();
        if (watched == panelSwitchExpertFunctions_) PanelSwitchExpertFunctionsClick();
    }
    return QWidget::eventFilter(watched, event);
}

// --- options and positions --------------------------------------------------------

std::vector<QWidget*> MainWindow::WithBuiltWindows(std::vector<QWidget*> windows) const {
    if (!windows_) return windows;
    windows.push_back(windows_->BuiltFileList());
    windows.push_back(windows_->BuiltProjSerie());
    windows.push_back(windows_->BuiltGeneralInfo());
    return windows;
}

void MainWindow::ControlsToOptions() {
    MainOptions& o = state_.mainOptions;
    o.SaveOptionsOnExit = cbSaveOptionsOnExit_->isChecked();
    o.ExpertFunctions = !panelExpertFunctions_->isHidden();
    o.UseInfoFiles = cbUseInfoFiles_->isChecked();
    if (!windows_) return;
    // A window not built yet keeps the values read.
    if (GeneralInfoWindow* info = windows_->BuiltGeneralInfo())
        state_.generalInfoOptions.ShowGeneralInfoAtProgStart = info->ShowAtProgStart();
    if (FormFileList* list = windows_->BuiltFileList()) list->ControlsToOptions();
    if (FormProjSerie* serie = windows_->BuiltProjSerie()) serie->ControlsToOptions();
}

void MainWindow::OptionsToControls() {
    const MainOptions& o = state_.mainOptions;
    cbSaveOptionsOnExit_->setChecked(o.SaveOptionsOnExit);
    panelExpertFunctions_->setVisible(o.ExpertFunctions);
    cbUseInfoFiles_->setChecked(o.UseInfoFiles);
    if (!windows_) return;
    if (GeneralInfoWindow* info = windows_->BuiltGeneralInfo())
        info->SetShowAtProgStart(state_.generalInfoOptions.ShowGeneralInfoAtProgStart);
    if (FormFileList* list = windows_->BuiltFileList()) list->OptionsToControls();
    if (FormProjSerie* serie = windows_->BuiltProjSerie()) serie->OptionsToControls();
}

void MainWindow::LoadSaveIniFile(bool doSave) {
    if (doSave) ControlsToOptions();
    OptionsWindows windows;
    windows.main = &state_.mainOptions;
    windows.projSerie = &state_.projSerieOptions;
    windows.fileList = &state_.fileListOptions;
    windows.generalInfo = &state_.generalInfoOptions;
    state_.options.LoadSaveIniFile(state_.files.OptionsFileName, doSave, windows, state_.FormActivated);
    if (!doSave) OptionsToControls();
}

void MainWindow::LoadSaveAllWindowPos(bool doSave) {
    // A window never built keeps the position stored for it.
    std::vector<QWidget*> windows = WithBuiltWindows({this, ctrls_});
    std::vector<WindowGeometry> geometries;
    std::vector<std::string> names;
    for (QWidget* w : windows) {
        geometries.push_back(w ? GeometryOf(w) : WindowGeometry{});
        names.push_back(w ? S(w->objectName()) : "");
    }
    std::vector<PlacedWindow> placed;
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i]) placed.push_back({names[i], &geometries[i]});
    state_.positions.LoadSaveAllWindowPos(placed, doSave, true, PrimaryScreenSize());
    if (!doSave)
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i]) ApplyGeometry(windows[i], geometries[i]);
}

// --- language ---------------------------------------------------------------------

void MainWindow::LoadLanguage(const std::string& languageFile) {
    // A mixer not built yet takes the language when it is (LanguageToLateWindow).
    QWidget* mixer = ctrls_ && ctrls_->IsBuilt() ? ctrls_ : nullptr;
    // So do the windows built on first use (LateWindowBuilt).
    std::vector<QWidget*> windows = WithBuiltWindows({this, mixer});
    std::vector<GuiForm> forms;
    for (QWidget* w : windows)
        if (w) forms.push_back(ComponentsOf(w));
    std::vector<GuiForm*> formPointers;
    for (GuiForm& f : forms) formPointers.push_back(&f);
    if (!LoadSaveLanguage(false, languageFile, formPointers, state_.dialogs)) return;
    languageFile_ = languageFile;
    std::size_t next = 0;
    for (QWidget* w : windows)
        if (w) ApplyComponents(w, forms[next++]);
    FormFileList* fileList = windows_ ? windows_->BuiltFileList() : nullptr;
    FormProjSerie* projSerie = windows_ ? windows_->BuiltProjSerie() : nullptr;
    if (fileList) fileList->SetSortTypeItems(ListSortTypeItems());
    // Texts from the table that the main window shows, and what the windows
    // compute from the user's values in the new language.
    cbUseInfoFiles_->setToolTip(QLines(Txt(180)));
    if (state_.doc.ZDTData().empty()) setWindowTitle(QModifiableTitle(UiTxt(UiText::TitleMain)));  // else it names the file
    if (ctrls_) ctrls_->setWindowTitle(QModifiableTitle(UiTxt(UiText::TitleMixer)));
    if (fileList) fileList->setWindowTitle(Q(UiTxt(UiText::TitleFileList)));
    if (fileList) fileList->LanguageApplied();
    if (projSerie) projSerie->LanguageApplied();
}

void MainWindow::LanguageToLateWindow(QWidget* window) {
    if (languageFile_.empty()) return;
    Run([&] {
        GuiForm form = ComponentsOf(window);
        if (LoadSaveGuiTexts(form, false, languageFile_, "", state_.dialogs)) ApplyComponents(window, form);
    });
}

// The mixer, built before the first activation loads the language, may
// already have something to say: the texts of the stored language come first.
void MainWindow::PreloadLanguageTexts() {
    std::vector<std::string> entries;
    for (int i = 0; i < cbLanguage_->count(); ++i) entries.push_back(S(cbLanguage_->itemText(i)));
    auto choice = spurwerk::CBLanguageChange(entries, state_.mainOptions.LanguageIndex, state_.files.GuiFileName,
                                             state_.files.ReadmeFileName);
    std::error_code ec;
    if (!choice || !std::filesystem::exists(PathFromText(choice->languageFile), ec)) return;
    Run([&] { LoadSaveLanguage(false, choice->languageFile, {}, state_.dialogs); });
}

void MainWindow::CBLanguageChange(bool fromUser) {
    Run([&] {
        std::vector<std::string> entries;
        for (int i = 0; i < cbLanguage_->count(); ++i) entries.push_back(S(cbLanguage_->itemText(i)));
        int index = cbLanguage_->currentIndex();
        if (index <= 0) return;
        LanguageWindow* language = windows_ ? windows_->BuiltLanguage() : nullptr;
        bool languageWindowShowing = language && language->isVisible();
        if (languageWindowShowing) language->accept();
        auto choice = spurwerk::CBLanguageChange(entries, index, state_.files.GuiFileName, state_.files.ReadmeFileName);
        {
            QSignalBlocker block(cbLanguage_);
            cbLanguage_->setCurrentIndex(0);
        }
        if (!choice) return;
        // An information window built later loads the text then; a missing
        // file leaves the text of the language before.
        std::error_code ec;
        if (std::filesystem::exists(PathFromText(choice->readmeFile), ec)) infoTextFile_ = choice->readmeFile;
        if (GeneralInfoWindow* info = windows_ ? windows_->BuiltGeneralInfo() : nullptr)
            info->LoadInfoText(choice->readmeFile);
        LoadLanguage(choice->languageFile);
        std::string qtLanguage = UiTxt(UiText::QtLanguage);
        UseQtTranslations(qtLanguage.empty() ? QtLanguageCodeFor(choice->languageName) : qtLanguage);
        state_.mainOptions.LanguageIndex = choice->LanguageIndex;
        {
            QSignalBlocker block(cbLanguage_);
            cbLanguage_->setCurrentIndex(0);
        }
        if (ctrls_) ctrls_->UpdateAllHints();
        if (fromUser && !languageWindowShowing && windows_) windows_->GeneralInfo().exec();
    });
}

// --- start and end ----------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!state_.FormActivated && !activationScheduled_) {
        activationScheduled_ = true;
        QTimer::singleShot(0, this, &MainWindow::FormActivate);
    }
}

void MainWindow::FormActivate() {
    if (state_.FormActivated) return;
    MainOptions& o = state_.mainOptions;
    // Without any language file there is nothing to choose from.
    if (o.LanguageIndex == 0 && windows_ && cbLanguage_->count() > 1) {
        LanguageWindow& language = windows_->Language();
        QRect home = cbLanguage_->geometry();
        cbLanguage_->setParent(language.PanelCBLanguage());
        language.PanelCBLanguage()->layout()->addWidget(cbLanguage_);
        cbLanguage_->show();
        language.exec();
        if (o.LanguageIndex == 0) o.LanguageIndex = 1;
        language.PanelCBLanguage()->layout()->removeWidget(cbLanguage_);
        cbLanguage_->setParent(panelTop_);
        cbLanguage_->setGeometry(home);
        cbLanguage_->show();
    }
    if (o.LanguageIndex < cbLanguage_->count()) {
        {
            QSignalBlocker block(cbLanguage_);
            cbLanguage_->setCurrentIndex(o.LanguageIndex);
        }
        CBLanguageChange(false);
    }
    state_.FormActivated = true;
    Run([&] { LoadSaveIniFile(false); });
    if (FormProjSerie* serie = windows_ ? windows_->BuiltProjSerie() : nullptr) serie->UpdateDerivedFields();
    if (ctrls_) ctrls_->SetMultiLineButtons();
    OpenFiles(parameters_, 184);
    Run([&] {
        DocumentContext context = Context();
        ShowTemplateUnlessProject(context, o.DevIsZoomR24 ? state_.files.prjTemplateR24 : state_.files.prjTemplateR16);
        // The template has no name to save under: the hints say a save asks for one.
        if (ctrls_ && state_.session.LoadedZDTFileName.empty()) ctrls_->Model().Menu().RebuildInfoLine();
    });
    if (windows_ && state_.generalInfoOptions.ShowGeneralInfoAtProgStart) windows_->GeneralInfo().exec();
    buttonSearchInSubDirs_->setFocus();
}

void MainWindow::OpenFiles(const QStringList& files, int textNumber, bool askForEach) {
    std::vector<std::string> names;
    for (const QString& file : files) names.push_back(S(file));
    Run([&] {
        DocumentContext context = Context();
        spurwerk::OpenFiles(context, names, textNumber, askForEach);
    });
}

bool MainWindow::FormCloseQuery() {
    bool canClose = false;
    Run([&] {
        DocumentContext context = Context();
        if (!ConfirmClose(context)) return;
        if (ctrls_) ctrls_->HideFileListPanel();
        if (isMinimized()) showNormal();
        if (cbSaveOptionsOnExit_->isChecked()) {
            LoadSaveIniFile(true);
            LoadSaveAllWindowPos(true);
        }
        canClose = true;
    });
    return canClose;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    // The other windows end with the main window.
    for (QWidget* w : WithBuiltWindows({ctrls_}))
        if (w) w->hide();
}

// --- files dropped ----------------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << QDir::toNativeSeparators(url.toLocalFile());
    event->acceptProposedAction();
    // Handled after the drop returns, so the dragging program is not kept waiting.
    bool askForEach = event->modifiers().testFlag(Qt::ControlModifier);
    QTimer::singleShot(0, this, [this, files, askForEach] { OpenFiles(files, 179, askForEach); });
}

// --- buttons ----------------------------------------------------------------------

DocumentContext MainWindow::Context() {
    return DocumentContext{state_.session, state_.dialogs, state_.files.zdtHistory};
}

bool MainWindow::UseInfoFiles() const { return cbUseInfoFiles_->isChecked(); }

void MainWindow::PanelGeneralInfoClick() {
    if (windows_) windows_->GeneralInfo().exec();
}

void MainWindow::PanelSwitchExpertFunctionsClick() {
    panelExpertFunctions_->setVisible(panelExpertFunctions_->isHidden());
}

void MainWindow::ButtonSetCtrlsClick() {
    if (ctrls_) ctrls_->ShowAndFill();
}

void MainWindow::ButtonLoadZDTFileClick() {
    Run([&] {
        DocumentContext context = Context();
        LoadZDTFile(context, true);
    });
}

void MainWindow::ButtonQuickSaveClick(bool askForName) {
    Run([&] {
        DocumentContext context = Context();
        QuickSaveLoadedZDTFile(context, askForName ? std::string() : state_.session.LoadedZDTFileName, 3000);
    });
}

void MainWindow::CheckFileOnDisk() {
    // The question itself takes the focus and gives it back: one question at a time.
    if (!state_.FormActivated || checkingFileOnDisk_) return;
    checkingFileOnDisk_ = true;
    Run([&] {
        DocumentContext context = Context();
        CheckLoadedFileOnDisk(context);
    });
    checkingFileOnDisk_ = false;
}

void MainWindow::ButtonCompToZDTFileClick() {
    Run([&] {
        DocumentContext context = Context();
        if (ChooseCompareFile(context)) SetTopPanelHint(132, 133);
    });
}

void MainWindow::ButtonSaveZDTFileSerieClick() {
    if (!windows_) return;
    FormProjSerie& serie = windows_->ProjSerie();
    serie.show();
    serie.raise();
    serie.activateWindow();
}

void MainWindow::CBSaveOptionsOnExitClick() {
    Run([&] { LoadSaveIniFile(true); });
}

// --- the document's host ----------------------------------------------------------

void MainWindow::SetTopPanelHint(int loadedText, int compareText) {
    const ProjectSession& session = state_.session;
    const ZDTDocument& doc = session.doc;
    topPanelHintTexts_ = {loadedText, compareText};
    std::string hint = Txt(loadedText) + "   " + session.LoadedZDTFileName;
    if (!session.CompareZDTFileName.empty() || loadedText == 132)
        hint += "\n" + Txt(compareText) + "   " + session.CompareZDTFileName;
    // What Ctrl+Z and Ctrl+Y would do.
    for (const std::string& step : {UndoCaption(doc), RedoCaption(doc)})
        if (!step.empty()) hint += "\n" + step;
    panelTop_->setToolTip(Q(hint));
}

void MainWindow::DocumentLoaded(const std::string& projectName, const std::string& effectsFile) {
    const std::string& loaded = state_.session.LoadedZDTFileName;
    hexView_->RepaintAll();
    // Another file starts at its first line, not where the last one was scrolled to.
    hexScroll_->verticalScrollBar()->setValue(0);
    hexScroll_->horizontalScrollBar()->setValue(0);
    setWindowTitle(QModifiableTitle(loaded));
    SetTopPanelHint(130, 131);
    buttonLoadZDTFile_->setFocus();
    // The mixer's own notification reads the controls: once per load.
    if (ctrls_) {
        ctrls_->ShowWindow();
        ctrls_->Host().DocumentLoaded(projectName, effectsFile);
    }
    ShowElidedPath(labelInfoFile_, Q(InfoFileNameFor(loaded, projectName)));
    ShowProjectName(projectName);
}

void MainWindow::PrepareSave() {
    if (ctrls_) ctrls_->Host().PrepareSave();
}

void MainWindow::ShowProjectName(const std::string& name) {
    labelProjectName_->setText(QVisible("\"" + name + "\""));
    labelProjectName_->setToolTip(labelProjectName_->text());
    ShowLoadedFileName();
}

void MainWindow::ShowLoadedFileName() { ShowElidedPath(labelProjectFile_, QVisible(state_.session.LoadedZDTFileName)); }

}  // namespace spurwerk::gui
