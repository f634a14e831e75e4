#pragma once
// The project list window's model (FormFileList): the result lines, the
// message line, the sort, the options that shape the lines, the track-info
// group selection, and opening an entry. The window renders it.

#include <functional>
#include <string>
#include <vector>

#include "files/list_line.h"
#include "files/project_list_sort.h"

namespace spurwerk {

class Dialogs;

class ProjectListObserver {
public:
    virtual ~ProjectListObserver() = default;
    virtual void ShowWindow() {}
    virtual void LinesChanged() {}                  // refill LBFiles, fit its width (SEFontSizeChange)
    virtual void MessageChanged(bool busy) { (void)busy; }  // LabelMessList; busy: yellow
    virtual void TrackInfoPanelChanged() {}         // PanelLBTrackInfos height, hint, CBUseTrackInfos
};

// Which control of the track-info panel was used (AnyTrackInfosAnyClick's Sender).
enum class TrackInfoSender { None, Compact, UseTrackInfos, GroupList, SelectButton, ClearButton };

inline constexpr const char* DefaultListDateFormat = "dd.mm.yyyy hh:nn:ss";

class ProjectList {
public:
    ProjectList();

    // RGListSortType, CBSortReverse, the check boxes of the lines (options of
    // section "FormFileList").
    ListSortType sortType = ListSortType::DirFile;
    bool sortReverse = false;
    ListLineOptions lineOptions;

    void SetObserver(ProjectListObserver* observer) { observer_ = observer; }

    // --- what the directory runs use ---
    void Show();
    void SetMessage(const std::string& text, bool busy = false);
    void Clear();
    void AddLine(std::string line);
    // RGListSortTypeClick: sorts with the current mode.
    void Sort();

    const std::vector<std::string>& Lines() const { return lines_; }
    const std::string& Message() const { return message_; }
    bool MessageBusy() const { return busy_; }

    // --- opening an entry ---
    // The path a line stands for: its text up to the first "#", trimmed; with
    // `resolveInfoFile` a project-name info file stands for its project file.
    static std::string EntryPath(const std::string& line, bool resolveInfoFile);
    // LBFilesDblClick on line `index`: returns the project file to load without
    // a dialog, or empty after handing any other file to its program.
    std::string OpenEntry(std::size_t index, Dialogs& dialogs) const;

    // --- date format ---
    // EditListDTFormatChange: an emptied format becomes the default again.
    void SetDateFormat(const std::string& format);

    // --- track-info groups ---
    // The group names (ListTrackParameters); by default the parameters of a track.
    void SetTrackInfoGroups(std::vector<std::string> names);
    const std::vector<std::string>& TrackInfoGroups() const { return groups_; }
    const std::vector<bool>& SelectedGroups() const { return selected_; }
    void SetGroupSelected(std::size_t index, bool selected);
    bool TrackInfoPanelOpen() const { return panelOpen_; }
    // Height of PanelLBTrackInfos for the list's item height.
    int TrackInfoPanelHeight(int itemHeight) const;
    // The panel's hint: count, text 124, then each selected group on its line.
    std::string TrackInfoHint() const;
    // AnyTrackInfosAnyClick; returns true when the search is to be repeated silently.
    bool TrackInfosClick(TrackInfoSender sender);
    // CBListRecordModi, CBListWAVFileSize, CBListWAVFileDate, CBTrackInfosCompact
    // changed: the caller repeats the last search silently.

private:
    void UpdateLineGroups();

    std::vector<std::string> lines_;
    std::string message_ = "(-)";
    bool busy_ = false;
    std::vector<std::string> groups_;
    std::vector<bool> selected_;
    bool panelOpen_ = false;
    ProjectListObserver* observer_ = nullptr;
};

}  // namespace spurwerk
