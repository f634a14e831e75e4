#include "mixer/file_picker_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include "audio/recorder_rules.h"
#include "io/path_text.h"
#include "mixer/mixer_view_model.h"
#include "mixer/strip_layout.h"
#include "support/file_action_menu.h"
#include "support/guarded.h"
#include "support/instant_hints.h"
#include "support/multi_line_button.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

QColor ToQColor(Colour c, const QColor& system) { return c.system ? system : QColor(c.r, c.g, c.b); }

}  // namespace

template <class Work>
void FilePickerPanel::Run(Work&& work) {
    Guarded(dialogs_, std::forward<Work>(work));
}

FilePickerPanel::FilePickerPanel(MixerViewModel& mixer, Dialogs& dialogs, QWidget* parent)
    : QFrame(parent), mixer_(mixer), dialogs_(dialogs), picker_(mixer) {
    setObjectName("PanelFileListBoxEDAss");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    countLine_ = new QLabel(this);
    countLine_->setObjectName("LabelFileListBoxCount");
    fileList_ = new QListWidget(this);
    fileList_->setObjectName("FileListBoxEDAss");
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList_->viewport()->installEventFilter(this);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName("MaskEditEdFileAssFile");
    // Eight name characters, a fixed ".WAV", blanks for unused places.
    nameEdit_->setInputMask(QStringLiteral("xxxxxxxx.\\W\\A\\V; "));
    nameEdit_->setAutoFillBackground(true);
    templates_ = new QComboBox(this);
    templates_->setObjectName("CBTemplatesFileAssFile");
    templates_->setEditable(false);
    for (const std::string& s : picker_.Suggestions()) templates_->addItem(Q(s));
    templates_->setCurrentIndex(-1);
    doChange_ = new MultiLineButton(Q("Datei und Zuordnung umbenennen!"), this);
    doChange_->setObjectName("ButtonFLBDoChange");
    cancel_ = new QPushButton(Q("Abbrechen"), this);
    cancel_->setObjectName("ButtonFLBCancel");
    auto_ = new MultiLineButton(Q("In ALLEN Tracks:  Fehlende Dateien aus Vorlage generieren! ... "), this);
    auto_->setObjectName("ButtonAutoEDFileAssign");
    UpdateHints();

    connect(nameEdit_, &QLineEdit::textEdited, this, &FilePickerPanel::NameEdited);
    connect(templates_, &QComboBox::activated, this, [this](int index) {
        Run([&] {
            picker_.ChooseSuggestion(S(templates_->itemText(index)));
            Render();
        });
    });
    connect(fileList_, &QListWidget::itemDoubleClicked, this, [this] {
        Run([&] { picker_.AcceptDoubleClick(); });
        if (!picker_.IsOpen()) Hide();
    });
    connect(doChange_, &QPushButton::clicked, this, [this] {
        Run([&] { picker_.DoChange(); });
        if (!picker_.IsOpen()) Hide();
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        Run([&] { picker_.Cancel(); });
        Hide();
    });
    connect(auto_, &QPushButton::clicked, this, [this] {
        Run([&] { picker_.AutoAssign(); });
        if (!picker_.IsOpen()) Hide();
    });
    hide();
}

void FilePickerPanel::UpdateHints() {
    nameEdit_->setToolTip(InstantHints::PlainHint(QLines(FilePicker::NameEditHint())));
    templates_->setToolTip(InstantHints::PlainHint(QLines(picker_.SuggestionHint())));
}

void FilePickerPanel::Open(const std::string& fieldName) {
    // A picker still open for another field closes cancelled first.
    if (isVisible()) {
        Run([&] { picker_.Cancel(); });
        hide();
    }
    bool opened = false;
    Run([&] {
        picker_.Open(fieldName);
        opened = picker_.IsOpen();
    });
    if (!opened) return;
    fileList_->clear();
    const std::string folder = mixer_.Files().AudioFolder();
    for (const std::string& f : picker_.Files()) {
        auto* item = new QListWidgetItem(Q(f), fileList_);
        // A file the recorder refuses: red, the reasons in its hint (the text stays the file's name).
        const std::string mark = RecorderRefusalMark(RecorderRefusalsOfFile(PathText(PathFromText(folder) / PathFromText(f))));
        if (!mark.empty()) {
            item->setForeground(Qt::red);
            item->setToolTip(Q(mark.substr(2)));
        }
    }
    fileList_->setCurrentRow(-1);
    fileList_->clearSelection();
    countLine_->setText(Q(picker_.CountLine()));

    int itemHeight = fileList_->count() > 0 ? fileList_->sizeHintForRow(0) : fileList_->fontMetrics().height() + 2;
    const MixerControl& field = mixer_.Controls().Control(fieldName);
    PickerPlacement place = PlaceFilePicker(field.strip, mixer_.Controls().TrackCount(), PanelWidth,
                                            static_cast<int>(picker_.Files().size()), itemHeight, ButtonAreaHeight);
    setGeometry(place.left, place.top, PanelWidth, place.height);
    LayOut(place.height);
    Render();
    show();
    raise();
    nameEdit_->setFocus();
}

void FilePickerPanel::Hide() {
    if (picker_.IsOpen()) Run([&] { picker_.Cancel(); });
    hide();
}

void FilePickerPanel::LayOut(int height) {
    int w = PanelWidth;
    countLine_->setGeometry(4, 3, w - 8, 16);
    int buttons = height - ButtonAreaHeight;
    fileList_->setGeometry(4, 20, w - 8, std::max(16, buttons - 22));
    int y = buttons + 2;
    nameEdit_->setGeometry(4, y, 100, 20);
    templates_->setGeometry(108, y, w - 112, 20);
    y += 24;
    doChange_->setGeometry(4, y, w - 8, 34);
    y += 38;
    cancel_->setGeometry(4, y, w - 8, 22);
    y += 26;
    auto_->setGeometry(4, y, w - 8, 34);
}

void FilePickerPanel::ShowName() {
    QString chars = Q(picker_.NameCharacters());
    while (chars.size() < 8) chars += QLatin1Char(' ');
    QString shown = chars + QStringLiteral(".WAV");
    if (nameEdit_->text() == Q(picker_.NewName()) && nameEdit_->displayText() == shown) return;
    int cursor = nameEdit_->cursorPosition();
    int selStart = nameEdit_->selectionStart();
    int selLength = nameEdit_->selectedText().size();
    QSignalBlocker block(nameEdit_);
    nameEdit_->setText(shown);
    if (selStart >= 0 && selLength > 0) nameEdit_->setSelection(selStart, selLength);
    else nameEdit_->setCursorPosition(cursor);
}

void FilePickerPanel::Render() {
    ShowName();
    QPalette palette = nameEdit_->palette();
    palette.setColor(QPalette::Base, ToQColor(picker_.NameColour(), QPalette().color(QPalette::Base)));
    nameEdit_->setPalette(palette);
    doChange_->setText(QLines(picker_.ButtonCaption()));
}

void FilePickerPanel::NameEdited(const QString& text) {
    Run([&] {
        // The blanks of the mask are no name characters.
        QString name = text;
        if (name.endsWith(QStringLiteral(".WAV"), Qt::CaseInsensitive)) name.chop(4);
        picker_.EditName(S(name));
        Render();
    });
}

bool FilePickerPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileList_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QListWidgetItem* item = fileList_->itemAt(mouse->position().toPoint());
        if (item) {
            std::string name = S(item->text());
            if (mouse->button() == Qt::RightButton) {
                fileList_->setCurrentItem(item);
                std::string path = PathText(PathFromText(mixer_.Files().AudioFolder()) / PathFromText(name));
                QPoint at = fileList_->viewport()->mapToGlobal(mouse->position().toPoint()) + QPoint(0, 16);
                ShowShellContextMenu(this, path, at);
                return true;
            }
            Run([&] {
                picker_.ClickFile(name);
                Render();
            });
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace spurwerk::gui
