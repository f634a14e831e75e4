// The mixer window's top panel: project name, loaded file and information
// line, the WAV list of the AUDIO folder, the effect labels, the track count
// button and the popup menu.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "mixer/file_picker_panel.h"
#include "mixer/form_ctrls.h"
#include "mixer/mixer_widgets.h"
#include "project/project_check.h"
#include "support/file_action_menu.h"
#include "support/instant_hints.h"
#include "support/multi_line_button.h"
#include "audio/audio_convert.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

void FormCtrls::BuildTopPanel() {
    panelTop_ = NewPanel("PanelTop", canvas_);
    panelTop_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    struct LabelRow {
        QLabel** label;
        const char* name;
        const char* caption;
        QRect geometry;
        QColor colour;
    };
    const LabelRow labels[] = {
        {&labelForEditProjName_, "LabelForEditProjName", "Projekt-Name:", QRect(6, 6, 70, 14), QColor()},
        {&labelForLoadedFile_, "LabelForLoadedZDTFile", "Geladene Datei:", QRect(164, 6, 80, 14), QColor()},
        {&labelLoadedFile_, "LabelLoadedZDTFile", "", QRect(246, 6, 440, 14), Qt::blue},
        {&labelModi_, "Label6", "Modi:", QRect(6, 26, 34, 14), QColor()},
        {&labelLoadedFile2_, "LabelLoadedZDTFile2", "", QRect(42, 26, 644, 14), Qt::magenta},
        {&labelAudioFiles_, "LabelAudioFiles", "Im Unterverz. \"/AUDIO\":", QRect(6, 46, 124, 14), QColor()},
    };
    for (const LabelRow& row : labels) {
        *row.label = NewLabel(row.name, row.caption, panelTop_, row.geometry);
        if (row.colour.isValid()) SetTextColour(*row.label, row.colour);
    }
    editProjName_ = new QLineEdit(panelTop_);
    editProjName_->setObjectName("EditProjName");
    editProjName_->setGeometry(78, 3, 76, 20);
    editProjName_->setMaxLength(8);
    wavList_ = new QComboBox(panelTop_);
    wavList_->setObjectName("CBAudioFilesAss");
    wavList_->setGeometry(132, 42, 470, 20);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(8);
    wavList_->view()->setFont(mono);
    buttonSetTrackCount_ = new QPushButton(QStringLiteral("&Trackzahl ..."), panelTop_);
    buttonSetTrackCount_->setObjectName("ButtonSetTrackCount");
    buttonSetTrackCount_->setGeometry(608, 41, 78, 22);

    panelEfx_ = NewPanel("Panel2", panelTop_);
    panelEfx_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelEfx_->installEventFilter(this);
    labelEfxInserts_ = NewLabel("LabelEFXInserts", "", panelEfx_, QRect(4, 2, 300, 13));
    labelEfxSendCho_ = NewLabel("LabelEFXSendCho", "", panelEfx_, QRect(4, 15, 300, 13));
    labelEfxSendRev_ = NewLabel("LabelEFXSendRev", "", panelEfx_, QRect(4, 28, 300, 13));
    buttonPopupMenu_ = new MultiLineButton(QStringLiteral("Projekt - Aktion ..."), panelTop_);
    buttonPopupMenu_->setObjectName("ButtonPopupMenu");
    panelMoreTracks_ = NewCaptionPanel("PanelAttentionMoreTracks", "Zeige alle Tracks!", panelTop_);
    SetBackground(panelMoreTracks_, Qt::red);
    SetTextColour(panelMoreTracks_, Qt::white);
    panelMoreTracks_->installEventFilter(this);
    panelMoreTracks_->hide();
    panelMaster_ = NewPanel("PanelMasterTrackFileAss", panelTop_);

    for (QWidget* w : std::initializer_list<QWidget*>{labelForEditProjName_, labelForLoadedFile_, labelLoadedFile_, labelModi_,
                                                      labelLoadedFile2_, labelEfxInserts_, labelEfxSendCho_,
                                                      labelEfxSendRev_, editProjName_, labelAudioFiles_})
        w->installEventFilter(this);
    wavList_->installEventFilter(this);

    connect(editProjName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Run([&] { model_->Controls().SetText("EditProjName", S(text)); });
    });
    connect(wavList_, &QComboBox::activated, this, &FormCtrls::ShowWavListMenu);
    connect(buttonSetTrackCount_, &QPushButton::clicked, this, &FormCtrls::ButtonSetTrackCountClick);
    connect(buttonPopupMenu_, &QPushButton::clicked, this, &FormCtrls::ButtonPopupMenuClick);
}

void FormCtrls::BuildPopupMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu1");
    for (const PopupEntry& entry : model_->Menu().Entries()) {
        if (entry.IsSeparator()) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(Q(entry.caption));
        action->setObjectName(Q(entry.name));
        std::string name = entry.name;
        connect(action, &QAction::triggered, this, [this, name] { Run([&] { model_->Menu().Click(name); }); });
    }
    // Not an entry of the recorder's menu: the tracks as files for other programs.
    menu_->addSeparator();
    QAction* exportTracks = menu_->addAction(Q(UiTxt(UiText::MenuExportTracks)));
    exportTracks->setObjectName("PMExportTracks");
    connect(exportTracks, &QAction::triggered, this, [this] { ChooseAndExportTracks(); });
    // PopupMenu1Popup: captions and enabling as they stand when the menu opens.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        Run([&] {
            if (auto* exportAction = menu_->findChild<QAction*>("PMExportTracks"))
                exportAction->setEnabled(AudioConversionAvailable() && !model_->Files().AudioFolder().empty());
            for (const PopupEntry& entry : model_->Menu().Entries()) {
                if (entry.IsSeparator()) continue;
                if (auto* action = menu_->findChild<QAction*>(Q(entry.name))) {
                    // Only the quick-save captions name the file; the others keep their language's text.
                    if (entry.name == "PMQuickSaveZDTFile" || entry.name == "PMQuickSaveZDTFileAs" ||
                        entry.name == "PMUndo" || entry.name == "PMRedo")
                        action->setText(Q(entry.caption));
                    action->setEnabled(entry.enabled);
                }
            }
        });
    });
}

void FormCtrls::WavListChanged() {
    QSignalBlocker block(wavList_);
    const WavList& list = model_->Files().WavFiles();
    wavList_->clear();
    for (const std::string& line : list.lines) wavList_->addItem(Q(line));
    if (wavList_->count() == 0) wavList_->addItem(QString());
    wavList_->setCurrentIndex(0);
    std::string folder = model_->Files().AudioFolder();
    if (!folder.empty()) labelAudioFiles_->setToolTip(Q(folder));
}

void FormCtrls::InfoChanged() {
    const ProjectInfoTexts& info = model_->Menu().InfoTexts();
    labelLoadedFile_->setText(Q(info.loadedFile));
    // A file that is no project says so instead of its modes.
    std::string warning = NotAProjectWarning(model_->Document().ZDTData());
    labelLoadedFile2_->setText(Q(warning.empty() ? info.infoLine : warning));
    SetTextColour(labelLoadedFile2_, warning.empty() ? Qt::magenta : Qt::red);
    QString fileHint = InstantHints::PlainHint(QLines(info.fileLabelHint));
    QString nameHint = InstantHints::PlainHint(QLines(info.nameLabelHint));
    labelLoadedFile_->setToolTip(fileHint);
    labelLoadedFile2_->setToolTip(fileHint);
    labelForEditProjName_->setToolTip(nameHint);
    labelForLoadedFile_->setToolTip(nameHint);
    const EffectLabels& efx = model_->Menu().Effects();
    QColor windowText = QApplication::palette().color(QPalette::WindowText);
    for (auto [label, text] : {std::pair{labelEfxInserts_, &efx.insert}, std::pair{labelEfxSendCho_, &efx.chorus},
                               std::pair{labelEfxSendRev_, &efx.reverb}}) {
        label->setText(Q(*text));
        SetTextColour(label, ToQColor(MixerMenu::EffectLabelColour(*text), windowText));
    }
    if (infoChanged) infoChanged();
}

void FormCtrls::ShowWavListMenu(int index) {
    std::string path = model_->Files().WavListPath(index);
    if (!path.empty()) ShowShellContextMenu(this, path, wavList_->mapToGlobal(QPoint(0, wavList_->height())));
    // The closed box shows the header line again.
    QSignalBlocker block(wavList_);
    wavList_->setCurrentIndex(0);
}

void FormCtrls::ButtonPopupMenuClick() {
    menu_->popup(buttonPopupMenu_->mapToGlobal(QPoint(0, buttonPopupMenu_->height())));
}

void FormCtrls::ButtonSetTrackCountClick() {
    Run([&] { model_->Tracks().SetTrackCountClick(); });
}

void FormCtrls::UpdateAllHints() {
    Run([&] {
        model_->Controls().UpdateAllHints();
        model_->TextsChanged();
    });
    if (!IsBuilt()) return;
    SetAllStripHints();
    picker_->UpdateHints();
}

}  // namespace spurwerk::gui
