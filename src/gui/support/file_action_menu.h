#pragma once
// The per-file action menu that stands in for the shell's context menu: open
// with the associated program, show in the file manager, copy the path and,
// for WAV files, the header summary.

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QPoint;
class QWidget;

namespace spurwerk::gui {

// Shows the menu at `globalPos` and runs the command chosen; dismissing it
// runs nothing. Failures end silently, as the shell menu's do.
// `extra` adds commands of the program after a separator (caption, command).
void ShowShellContextMenu(QWidget* owner, const std::string& fileName, const QPoint& globalPos,
                          const std::vector<std::pair<std::string, std::function<void()>>>& extra = {});

}  // namespace spurwerk::gui
