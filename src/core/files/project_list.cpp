#include "files/project_list.h"

#include "io/path_text.h"
#include "project/document_ops.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "ui/dialogs.h"

namespace spurwerk {

ProjectList::ProjectList() {
    std::vector<std::string> names;
    for (const TrackParameter& parameter : TrackParameters()) names.push_back(parameter.name);
    SetTrackInfoGroups(std::move(names));
}

void ProjectList::Show() {
    if (observer_) observer_->ShowWindow();
}

void ProjectList::SetMessage(const std::string& text, bool busy) {
    message_ = text;
    busy_ = busy;
    if (observer_) observer_->MessageChanged(busy);
}

void ProjectList::Clear() {
    lines_.clear();
    if (observer_) observer_->LinesChanged();
}

void ProjectList::AddLine(std::string line) { lines_.push_back(std::move(line)); }

void ProjectList::Sort() {
    SortListLines(lines_, sortType, sortReverse);
    if (observer_) observer_->LinesChanged();
}

std::string ProjectList::EntryPath(const std::string& line, bool resolveInfoFile) {
    std::string path = line.substr(0, line.find('#'));
    path = TrimBlanks(path);
    return resolveInfoFile ? ResolveInfoFileName(path) : path;
}

std::string ProjectList::OpenEntry(std::size_t index, Dialogs& dialogs) const {
    if (index >= lines_.size()) return "";
    std::string path = EntryPath(lines_[index], true);
    if (path.empty()) return "";
    // In any letter case, as the search found it: a card may carry lower-case names.
    if (HasFileExt(path, ".ZDT")) return path;
    dialogs.OpenWithAssociatedProgram(path);
    return "";
}

void ProjectList::SetDateFormat(const std::string& format) {
    lineOptions.dateFormat = format.empty() ? DefaultListDateFormat : format;
}

void ProjectList::SetTrackInfoGroups(std::vector<std::string> names) {
    groups_ = std::move(names);
    selected_.assign(groups_.size(), false);
    UpdateLineGroups();
    TrackInfosClick(TrackInfoSender::None);
}

void ProjectList::SetGroupSelected(std::size_t index, bool selected) {
    if (index < selected_.size()) selected_[index] = selected;
    UpdateLineGroups();
}

void ProjectList::UpdateLineGroups() {
    lineOptions.trackInfos.groups.clear();
    for (std::size_t i = 0; i < groups_.size(); ++i)
        if (selected_[i]) lineOptions.trackInfos.groups.push_back(groups_[i]);
}

int ProjectList::TrackInfoPanelHeight(int itemHeight) const {
    return panelOpen_ ? static_cast<int>(groups_.size()) * itemHeight + 32 : 22;
}

std::string ProjectList::TrackInfoHint() const {
    std::string hint = std::to_string(lineOptions.trackInfos.groups.size()) + " " + Txt(124) + "\n";
    for (const std::string& group : lineOptions.trackInfos.groups) hint += group + "\n";
    return hint;
}

bool ProjectList::TrackInfosClick(TrackInfoSender sender) {
    bool repeat = false;
    switch (sender) {
        case TrackInfoSender::None: panelOpen_ = false; break;
        case TrackInfoSender::Compact: repeat = true; break;
        case TrackInfoSender::UseTrackInfos: panelOpen_ = lineOptions.useTrackInfos; break;
        case TrackInfoSender::GroupList:
            lineOptions.useTrackInfos = !lineOptions.trackInfos.groups.empty();
            panelOpen_ = lineOptions.useTrackInfos;
            break;
        case TrackInfoSender::SelectButton: panelOpen_ = !panelOpen_; break;
        case TrackInfoSender::ClearButton:
            selected_.assign(groups_.size(), false);
            UpdateLineGroups();
            lineOptions.useTrackInfos = false;
            panelOpen_ = false;
            break;
    }
    if (observer_) observer_->TrackInfoPanelChanged();
    // Closing the selection applies it.
    if (sender == TrackInfoSender::SelectButton && !panelOpen_) repeat = true;
    return repeat;
}

}  // namespace spurwerk
