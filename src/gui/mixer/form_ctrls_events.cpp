// Input of the mixer window: mouse clicks and drags on its labels, fields and
// panels, keys, and files dropped from the file manager.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include "mixer/form_ctrls.h"
#include "support/qt_dialogs.h"
#include "support/qt_text.h"
#include "settings/ui_texts.h"

namespace spurwerk::gui {

namespace {

constexpr int DragDistance = 20;

MixerKey KeyOf(int key) {
    if (key == Qt::Key_F1) return MixerKey::F1;
    if (key == Qt::Key_L) return MixerKey::L;
    if (key == Qt::Key_S) return MixerKey::S;
    return MixerKey::Other;
}

}  // namespace

// The labels and the field of the loaded file: Ctrl+click opens or saves, a
// double click searches.
bool FormCtrls::IsFileLabel(const QWidget* w) const {
    return w && (w == labelForEditProjName_ || w == labelForLoadedFile_ || w == labelLoadedFile_ || w == labelModi_ ||
                 w == labelLoadedFile2_ || w == editProjName_);
}

bool FormCtrls::IsTrackFileField(const QObject* watched) const {
    return watched->property(ControlIndexProperty).isValid() && qobject_cast<const QLineEdit*>(watched) &&
           watched != editProjName_;
}

bool FormCtrls::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    bool control = watched->property(ControlIndexProperty).isValid();
    std::string name = S(watched->objectName());
    switch (event->type()) {
        case QEvent::Resize:
            if (watched == canvas_) LayOut();
            break;
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (control && mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier) {
                pressed_ = w;
                pressedAt_ = mouse->globalPosition().toPoint();
            }
            if (mouse->button() == Qt::RightButton && qobject_cast<QLabel*>(w) && !control && w != labelAudioFiles_) {
                menu_->popup(mouse->globalPosition().toPoint());
                return true;
            }
            if (watched == panelClient_ || watched == panelBottom_) Run([&] { model_->Controls().PanelClick(); });
            if (watched == panelMoreTracks_ || watched == panelEfx_) PanelAttentionMoreTracksClick();
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (pressed_ == w && (mouse->buttons() & Qt::LeftButton) &&
                (mouse->globalPosition().toPoint() - pressedAt_).manhattanLength() >= DragDistance) {
                pressed_ = nullptr;
                if (startDrag) startDrag(w);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            bool click = mouse->button() == Qt::LeftButton && w && w->rect().contains(mouse->position().toPoint());
            pressed_ = nullptr;
            if (!click) break;
            if (control && qobject_cast<QLabel*>(w))
                Run([&] { model_->Tracks().TrackLabelClick(name, KeysOf(mouse->modifiers())); });
            if (IsFileLabel(w)) Run([&] { model_->Menu().LoadedFileLabelClick(KeysOf(mouse->modifiers())); });
            if (w == labelAudioFiles_) {
                Run([&] { model_->Files().BuildWavList(); });
                wavList_->showPopup();
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (IsFileLabel(w)) Run([&] { model_->Menu().LoadedFileLabelDoubleClick(); });
            if (IsTrackFileField(watched)) {
                OpenPicker(name);
                return true;
            }
            break;
        case QEvent::FocusIn: {
            // Focus coming back from the list's own popup must not rebuild the
            // list: the line just chosen would be lost.
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (IsTrackFileField(watched) || (watched == wavList_ && reason != Qt::PopupFocusReason)) {
                Run([&] { model_->Files().BuildWavList(); });
                if (watched == wavList_) QTimer::singleShot(0, wavList_, [this] { wavList_->showPopup(); });
            }
            break;
        }
        case QEvent::ContextMenu:
            // A track's file field: the edit's own menu and the import of audio.
            if (IsTrackFileField(watched)) {
                auto* edit = static_cast<QLineEdit*>(watched);
                QMenu* menu = edit->createStandardContextMenu();
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->addSeparator();
                const int strip = model_->Controls().Control(name).strip;
                QAction* import = menu->addAction(Q(UiTxt(UiText::MenuImportAudio)));
                import->setObjectName("PMImportAudio");
                import->setEnabled(edit->isEnabled());
                connect(import, &QAction::triggered, this, [this, strip] { ChooseAndImportAudio(strip); });
                menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            }
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            auto* source = qobject_cast<QWidget*>(drag->source());
            if (IsTrackFileField(watched) && drag->mimeData()->hasUrls() && w->isEnabled()) {
                drag->acceptProposedAction();
                return true;
            }
            if (control && drag->mimeData()->hasFormat(DragMimeType()) && DragOver(source, w)) drag->acceptProposedAction();
            else drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            QPointer<QWidget> source = qobject_cast<QWidget*>(drop->source());
            QPointer<QWidget> target = w;
            // An audio file from the file manager dropped on a track's file field.
            if (IsTrackFileField(watched) && drop->mimeData()->hasUrls()) {
                const QList<QUrl> urls = drop->mimeData()->urls();
                if (urls.isEmpty() || !urls.front().isLocalFile()) return true;
                drop->acceptProposedAction();
                const std::string file = S(QDir::toNativeSeparators(urls.front().toLocalFile()));
                const int strip = model_->Controls().Control(name).strip;
                QTimer::singleShot(0, this, [this, strip, file] { ImportAudio(strip, file); });
                return true;
            }
            if (!control || !drop->mimeData()->hasFormat(DragMimeType())) return true;
            drop->acceptProposedAction();
            // The question of a track drop is asked after the drag has ended.
            // The keys of the drop, not of the moment the question is asked.
            KeyState keys = KeysOf(drop->modifiers());
            QTimer::singleShot(0, this, [this, source, target, keys] {
                if (source && target) DragDrop(source, target, keys);
            });
            return true;
        }
        default: break;
    }
    return QWidget::eventFilter(watched, event);
}

QString FormCtrls::DragMimeType() { return QStringLiteral("application/x-spurwerk-mixer-control"); }

bool FormCtrls::DragOver(QWidget* source, QWidget* target) {
    if (!source || !target) return false;
    bool accepted = false;
    Run([&] { accepted = model_->Tracks().AcceptsDrop(S(source->objectName()), S(target->objectName())); });
    return accepted;
}

void FormCtrls::DragDrop(QWidget* source, QWidget* target, KeyState keys) {
    if (!DragOver(source, target)) return;
    Run([&] { model_->Tracks().Drop(S(source->objectName()), S(target->objectName()), keys); });
}

void FormCtrls::keyPressEvent(QKeyEvent* event) {
    bool consumed = false;
    Run([&] { consumed = model_->Menu().KeyDown(KeyOf(event->key()), KeysOf(event->modifiers())); });
    if (consumed) event->accept();
    else QWidget::keyPressEvent(event);
}

void FormCtrls::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FormCtrls::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << QDir::toNativeSeparators(url.toLocalFile());
    event->acceptProposedAction();
    bool askForEach = event->modifiers().testFlag(Qt::ControlModifier);
    if (filesDropped && !files.isEmpty())
        QTimer::singleShot(0, this, [this, files, askForEach] { filesDropped(files, askForEach); });
}

}  // namespace spurwerk::gui
