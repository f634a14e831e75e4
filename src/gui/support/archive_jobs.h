#pragma once
// Archiving and restoring from the windows: the questions in the window's
// thread, the work in a background thread behind a progress bar with a
// cancel button. Builds without libFLAC and libarchive have none of it.

#include <string>
#include <vector>

class QWidget;

namespace spurwerk::gui {

struct AppState;

bool ArchivingAvailable();

// Archives the projects of the given project files into a folder the user
// chooses; asks whether to delete them from the card once verified.
void ArchiveProjects(QWidget* parent, AppState& state, const std::vector<std::string>& projectFiles);

// Picks an archive and a card and restores the project into the lowest free
// PROJnnn; shows where it went.
void RestoreProjectArchive(QWidget* parent, AppState& state);

}  // namespace spurwerk::gui
