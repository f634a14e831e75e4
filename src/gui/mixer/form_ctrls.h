#pragma once
// TFormCtrls, the mixer window "Projekt - Einstellungen": one widget per
// control of the mixer view-model, placed and coloured as the model says.
// Widgets only show the model's state and forward the user's input; every
// rule lives in MixerViewModel. A change repaints the one control it concerns.
// The window's parts live in their own files: form_ctrls_strips.cpp (strips
// and control widgets), form_ctrls_top_panel.cpp (top panel, WAV list, popup
// menu) and form_ctrls_events.cpp (mouse, keys, drag and drop), form_ctrls_audio.cpp (import and export).

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mixer/mixer_interfaces.h"
#include "mixer/mixer_view_model.h"
#include "support/guarded.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace spurwerk::gui {

struct AppState;
class FilePickerPanel;

class FormCtrls : public QWidget, public MixerObserver {
    Q_OBJECT
public:
    // The program's mixer window on the shared state.
    explicit FormCtrls(AppState& state, QWidget* parent = nullptr);
    // A mixer window on any session and dialogs (tests, benchmarks); it fills
    // itself on a load.
    FormCtrls(ProjectSession& session, Dialogs& dialogs, const MixerOptions& options, MixerActions* actions = nullptr,
              QWidget* parent = nullptr);
    ~FormCtrls() override;

    MixerViewModel& Model() { return *model_; }
    // Fills the controls after a load and writes them back before a save.
    DocumentHost& Host() { return *model_; }
    // The actions of other windows (menu, label clicks, keys); kept by the window.
    void SetActions(std::unique_ptr<MixerActions> actions);
    // Called after the information line changed (the main window's quick-save hints).
    std::function<void()> infoChanged;
    // Starts a drag of a track label or file field; tests replace it.
    std::function<void(QWidget* source)> startDrag;
    // Files dropped from the file manager (handled by the main window).
    std::function<void(const QStringList& files, bool askForEach)> filesDropped;

    // The program's mixer builds its widgets after the main window is up:
    // ShowWindow before that shows it once built (on the next turn of the
    // event loop), EnsureBuilt builds (and shows, if asked) at once.
    void EnsureBuilt();
    bool IsBuilt() const { return canvas_ != nullptr; }
    // After a late build: the language and hints the other windows already have.
    std::function<void()> built;

    // ButtonSetCtrlsClick: show, bring to front, fill from the document.
    void ShowWindow();
    void ShowAndFill();
    // After a language change: the hints composed from the text table.
    void UpdateAllHints();
    // Closing the program hides the file list panel first.
    void HideFileListPanel();
    // Multi-line captions of three buttons, at the first activation.
    void SetMultiLineButtons() {}

    // The widget showing a control (by its name) or a named window part.
    QWidget* Widget(const std::string& name) const;
    FilePickerPanel* Picker() const { return picker_; }
    QFrame* StripPanel(int stripIndex) const;
    QFrame* StripsPanel() const { return panelCtrls_; }
    QScrollBar* StripScrollBar() const { return scrollBar_; }
    QComboBox* WavListBox() const { return wavList_; }
    QMenu* Menu() const { return menu_; }
    QWidget* MoreTracksPanel() const;
    // The window's content at its pixel size; the scroll area shows it when
    // the window is smaller (a small screen).
    QWidget* Canvas() const { return canvas_; }
    QScrollArea* ScrollArea() const { return scrollArea_; }
    // Fits all strips into a screen area of this size (client size, without the frame).
    void FitInto(QSize available);

    // Event handlers callable from the program and from tests.
    void ButtonSetTrackCountClick();
    void PanelAttentionMoreTracksClick();
    void ButtonPopupMenuClick();
    // A drag of `source` over `target` and its drop (AnyCtrlDragOver, AnyCtrlDragDrop).
    bool DragOver(QWidget* source, QWidget* target);
    void DragDrop(QWidget* source, QWidget* target, KeyState keys = {});
    static QString DragMimeType();
    // Audio from another program onto a track (its menu, a file dropped on
    // its file field): converted in the background, assigned as one undo step.
    void ImportAudio(int stripIndex, const std::string& source);
    void ChooseAndImportAudio(int stripIndex);
    // Every assigned track into `folder`, in the background with progress and Cancel.
    void ExportTracksTo(const std::string& folder, const std::string& format);
    void ChooseAndExportTracks();

    // MixerObserver
    void ControlChanged(const MixerControl& control, unsigned aspects) override;
    void StripChanged(int stripIndex) override;
    void LayoutChanged(int trackCount) override;
    void ShowHintNow(const MixerControl& control) override;
    void WavListChanged() override;
    void InfoChanged() override;
    void FitWindow(int clientWidth) override;
    void TrackCountChanged(int trackCount) override;
    void ChangesBegin() override;
    void ChangesEnd() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct StripWidgets {
        QFrame* panel = nullptr;
        QFrame* top = nullptr;
        QFrame* eq = nullptr;
        QFrame* separator = nullptr;
        QFrame* bottom = nullptr;
        QLabel* bandOrder = nullptr;
    };

    // The window itself (name, title, font, default place and size) and its widgets.
    void SetUpWindow();
    void Build(const MixerOptions& options);
    void BuildTopPanel();
    void BuildPopupMenu();
    void BuildStripPanels();
    void CreateControlWidgets();
    QWidget* CreateControlWidget(const MixerControl& control);
    QWidget* ParentFor(const MixerControl& control) const;
    void Render(const MixerControl& control, unsigned aspects);
    void RenderStrip(int stripIndex);
    void SetAllStripHints();
    void UpdateMoreTracksPanel();
    void ScrollStrips(int position);
    void OpenPicker(const std::string& fieldName);
    void ShowWavListMenu(int index);
    void AfterInput();
    void LayOut();
    // The window at the canvas size, but never larger than the screen's available area.
    void ResizeWithin(int canvasWidth, int canvasHeight);
    void ResizeWithin(int canvasWidth, int canvasHeight, QSize available);
    bool IsFileLabel(const QWidget* w) const;
    bool IsTrackFileField(const QObject* watched) const;
    template <class Work>
    void Run(Work&& work) {
        Guarded(*dialogs_, std::forward<Work>(work));
    }

    static constexpr const char* ControlIndexProperty = "mixerControl";

    std::unique_ptr<MixerViewModel> model_;
    std::unique_ptr<MixerActions> ownedActions_;
    Dialogs* dialogs_ = nullptr;
    AppState* state_ = nullptr;
    std::vector<QWidget*> widgets_;  // parallel to Model().Controls().All()
    std::vector<signed char> lookAllStrip_;  // the all-strip state the widget's font was set for
    struct RenderedHint {
        std::string source;  // the model's hint
        QString text;        // as given to the widget
    };
    std::vector<RenderedHint> hints_;  // parallel to widgets_
    // Between ChangesBegin and ChangesEnd: what is to be shown at the end.
    int changesDepth_ = 0;
    std::vector<unsigned> pendingAspects_;  // parallel to widgets_
    std::vector<bool> pendingStrips_;
    bool pendingLayout_ = false;
    std::vector<StripWidgets> strips_;

    QScrollArea* scrollArea_ = nullptr;
    QWidget* canvas_ = nullptr;
    QFrame* panelTop_ = nullptr;
    QFrame* panelClient_ = nullptr;
    QFrame* panelCtrls_ = nullptr;
    QFrame* panelCtrlAll_ = nullptr;
    QFrame* panelBottom_ = nullptr;
    QFrame* panelMaster_ = nullptr;
    QFrame* panelEfx_ = nullptr;
    QLabel* panelMoreTracks_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QLineEdit* editProjName_ = nullptr;
    QLabel* labelForEditProjName_ = nullptr;
    QLabel* labelForLoadedFile_ = nullptr;
    QLabel* labelLoadedFile_ = nullptr;
    QLabel* labelModi_ = nullptr;
    QLabel* labelLoadedFile2_ = nullptr;
    QLabel* labelAudioFiles_ = nullptr;
    QComboBox* wavList_ = nullptr;
    QLabel* labelEfxInserts_ = nullptr;
    QLabel* labelEfxSendCho_ = nullptr;
    QLabel* labelEfxSendRev_ = nullptr;
    QPushButton* buttonPopupMenu_ = nullptr;
    QPushButton* buttonSetTrackCount_ = nullptr;
    QMenu* menu_ = nullptr;
    FilePickerPanel* picker_ = nullptr;

    bool rendering_ = false;
    QWidget* pressed_ = nullptr;  // a label or field the left button went down on
    QPoint pressedAt_;
    bool building_ = true;
    bool showWhenBuilt_ = false;
};

}  // namespace spurwerk::gui
