#pragma once
// TFormFileList, the project list: renders the core's ProjectList (lines,
// message line, sort, track-info groups) and forwards the user's input. The
// directory runs themselves belong to the core's DirectorySearch, kept here
// because the list repeats them.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "files/directory_search.h"
#include "files/project_list.h"
#include "settings/option_values.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QSpinBox;

namespace spurwerk::gui {

struct AppState;

class FormFileList : public QWidget, public ProjectListObserver {
    Q_OBJECT
public:
    explicit FormFileList(AppState& state, QWidget* parent = nullptr);

    // Section "FormFileList" of the options file (kept in the shared state).
    FileListOptions& Options() { return options_; }
    void OptionsToControls();
    void ControlsToOptions();
    // The sort-order choices after a language load (text 100).
    void SetSortTypeItems(const std::vector<std::string>& items);
    // Texts the window computes from the text table, after a language change.
    void LanguageApplied();

    ProjectList& List() { return list_; }
    DirectorySearch& Search() { return search_; }

    // Set by the program: runs a directory run of `kind` (the main window's
    // handler); loads a project file without a dialog; the mixer's groups.
    std::function<void(DirectoryRunKind kind, bool silentRepeat)> runSearch;
    std::function<void(const std::string& projectFile)> loadProject;
    std::function<std::vector<std::string>()> trackParameters;

    // ListTrackParameters: refills the groups (and closes the panel).
    void FillTrackInfoGroups();

    // Event handlers, callable from tests.
    void RGListSortTypeClick();
    void SEFontSizeChange();
    void LBFilesDblClick(int row);
    void LBFilesRightClick(int row, const QPoint& globalPos);
    void ButtonSearchClick();
    void CBAnyListUpdateClick();
    void AnyTrackInfosAnyClick(TrackInfoSender sender);
    void EditListDTFormatChange();
    void ScrollBarForFileListChange(int position);
    // Archives the projects of the selected lines; restores an archive.
    void ButtonArchiveClick();
    void ButtonRestoreArchiveClick();

    QListWidget* Files() const { return lbFiles_; }
    QWidget* TrackInfoPanel() const;
    QLabel* MessageLabel() const { return labelMessList_; }
    QScrollBar* FileScrollBar() const { return scrollBar_; }

    // ProjectListObserver
    void ShowWindow() override;
    void LinesChanged() override;
    void MessageChanged(bool busy) override;
    void TrackInfoPanelChanged() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    QFrame* BuildTopPanel();
    QHBoxLayout* BuildListRow();
    void BuildTrackInfoPanel();
    void ConnectControls();
    void ControlsToLineOptions();
    void UpdateScrollRange();
    template <class Work>
    void Run(Work&& work);

    AppState& state_;
    FileListOptions& options_;
    ProjectList list_;
    DirectorySearch search_;
    bool updatingControls_ = false;

    QFrame* panelTop_;
    QGroupBox* rgListSortType_;
    QButtonGroup* sortButtons_;
    QCheckBox* cbSortReverse_;
    QCheckBox* cbListRecordModi_;
    QCheckBox* cbListWAVFileSize_;
    QCheckBox* cbListWAVFileDate_;
    QLineEdit* editListDTFormat_;
    QCheckBox* cbTrackInfosCompact_;
    QSpinBox* seFontSize_;
    QCheckBox* cbUseTrackInfos_;
    QFrame* panelLBTrackInfos_;
    QListWidget* lbTrackInfos_;
    QPushButton* buttonLBTrackInfosSelect_;
    QPushButton* buttonLBTrackInfosClear_;
    QPushButton* buttonSearch_;
    QPushButton* buttonArchive_;
    QPushButton* buttonRestoreArchive_;
    QLabel* labelMessList_;
    QScrollArea* scrollArea_;
    QListWidget* lbFiles_;
    QScrollBar* scrollBar_;
};

}  // namespace spurwerk::gui
