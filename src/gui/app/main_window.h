#pragma once
// TFormMain: the main window with the language box, the load/save/compare
// buttons, the expert panel and the hex view. It owns the start-up, the first
// activation and the closing sequence, and is the document's host for loads
// and saves (handing the mixer's part to FormCtrls).

#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

#include "project/document_ops.h"
#include "settings/option_values.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

namespace spurwerk::gui {

struct AppState;
class FormCtrls;
class FormFileList;
class FormProjSerie;
class GeneralInfoWindow;
class HexView;
class LateWindows;

class MainWindow : public QWidget, public DocumentHost {
    Q_OBJECT
public:
    // FormCreate. `parameters` are the command line's file names.
    MainWindow(AppState& state, QStringList parameters, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The mixer, created after this one, and the windows built on first use.
    void Attach(FormCtrls* ctrls, LateWindows* windows);
    // A window built after the start: the loaded language's texts, the
    // information text, what it computes in that language.
    void LateWindowBuilt(FormFileList& fileList);
    void LateWindowBuilt(FormProjSerie& projSerie);
    void LateWindowBuilt(GeneralInfoWindow& generalInfo);

    // Event handlers, callable from the program and from tests.
    void FormActivate();
    // The program came to the front: asks when another program changed the
    // loaded file meanwhile.
    void CheckFileOnDisk();
    bool FormCloseQuery();
    void PanelGeneralInfoClick();
    void PanelSwitchExpertFunctionsClick();
    void ButtonSetCtrlsClick();
    void ButtonLoadZDTFileClick();
    void ButtonQuickSaveClick(bool askForName);
    void ButtonCompToZDTFileClick();
    void ButtonSaveZDTFileSerieClick();
    void CBSaveOptionsOnExitClick();
    // Applies the language box's selection; `fromUser` when the user chose it.
    void CBLanguageChange(bool fromUser);
    // The first file is loaded, every further one offered to a new instance.
    // `textNumber` is the question's text (184 command line, 179 drop).
    // askForEach: Ctrl was held at the drop, so each further file is asked about.
    void OpenFiles(const QStringList& files, int textNumber, bool askForEach = false);
    void ShowProjectName(const std::string& name);

    // Options of all windows: read into or written from their controls.
    void LoadSaveIniFile(bool doSave);
    void LoadSaveAllWindowPos(bool doSave);
    // Loads a language file into the windows built so far and the text table.
    void LoadLanguage(const std::string& languageFile);
    // The loaded language's texts for a window built after it was loaded.
    void LanguageToLateWindow(QWidget* window);

    // Undo and redo of the document (Ctrl+Z; Ctrl+Y, Ctrl+Shift+Z).
    void Undo();
    void Redo();
    // The red line that says the loaded file does not look like a project.
    QLabel* NotAProjectLabel() const { return labelNotAProject_; }

    // DocumentHost
    void DocumentLoaded(const std::string& projectName, const std::string& effectsFile) override;
    void PrepareSave() override;
    DocumentContext Context();

    HexView* Hex() const { return hexView_; }
    QScrollArea* HexScrollArea() const { return hexScroll_; }
    QComboBox* LanguageBox() const { return cbLanguage_; }

    // Commands of the main functions that belong to other windows: the
    // directory search and info-file buttons (sender is the button pressed),
    // saving as a project and copying a project. Unset: the buttons do nothing.
    std::function<void(QObject* sender)> searchInSubDirs;
    std::function<void()> saveProject;
    std::function<void()> copyProject;
    // The mixer's "end marks in all projects below a folder" (the mixer's menu calls it).
    std::function<void()> setEndMarksInSubDirs;
    // CBUseInfoFiles: saving and copying create project-name info files.
    bool UseInfoFiles() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PreloadLanguageTexts();
    // `windows`, then the list, series and information windows if built (nullptr if not).
    std::vector<QWidget*> WithBuiltWindows(std::vector<QWidget*> windows) const;
    void BuildControls();
    QFrame* BuildTopPanel();
    QFrame* BuildExpertPanel();
    QFrame* BuildStatusPanel();
    void ConnectControls();
    void ShowLoadedFileName();
    void ControlsToOptions();
    void OptionsToControls();
    void SetTopPanelHint(int loadedText, int compareText);
    void DocumentChanged(const DocumentChange& change);
    void ShowDocumentState();
    template <class Work>
    void Run(Work&& work);

    AppState& state_;
    QStringList parameters_;
    bool activationScheduled_ = false;
    bool checkingFileOnDisk_ = false;
    int documentToken_ = 0;
    std::string languageFile_;  // the language last loaded
    std::string infoTextFile_;  // its information text, for a window built later
    std::pair<int, int> topPanelHintTexts_{130, 131};

    FormCtrls* ctrls_ = nullptr;
    LateWindows* windows_ = nullptr;

    QFrame* panelTop_;
    QFrame* panelExpertFunctions_;
    QComboBox* cbLanguage_;
    QLabel* panelGeneralInfo_;
    QPushButton* buttonLoadZDTFile_;
    QPushButton* buttonQuickSave_;
    QPushButton* buttonQuickSaveAs_;
    QPushButton* buttonSaveProject_;
    QPushButton* buttonSearchInSubDirs_;
    QCheckBox* cbSaveOptionsOnExit_;
    QPushButton* buttonSetCtrls_;
    QPushButton* buttonCopyAProjectFromTo_;
    QPushButton* buttonSaveZDTFileSerie_;
    QPushButton* buttonRestoreArchive_;
    QFrame* panelSwitchExpertFunctions_;
    QCheckBox* cbUseInfoFiles_;
    QPushButton* buttonUpdateInfoFiles_;
    QPushButton* buttonDeleteUnassignedInfoFiles_;
    QPushButton* buttonDeleteAllInfoFiles_;
    QLabel* labelInfoFile_;
    QLabel* labelProjectName_;
    QLabel* labelProjectFile_;
    QPushButton* buttonCompToZDTFile_;
    QLabel* labelDiffBytes_;
    QScrollArea* hexScroll_;
    HexView* hexView_;
    QLabel* labelNotAProject_ = nullptr;
};

}  // namespace spurwerk::gui
