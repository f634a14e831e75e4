#pragma once
// Positions and sizes of the long-lived windows, kept in their own INI file
// (sections "Window_" + window name, keys Left, Top, Width, Height) and pulled
// back onto the screen when restored.

#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace spurwerk {

// Outer position and size in screen pixels.
struct WindowGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The screen's available area (without task bars and panels).
struct ScreenSize {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
};

// Smallest size a restored window gets: a stored 0 or a stray value must not
// make a window that cannot be seen or grabbed.
constexpr int MinWindowWidth = 120;
constexpr int MinWindowHeight = 80;

struct PlacedWindow {
    std::string name;  // component name, e.g. "FormMain"
    WindowGeometry* geometry = nullptr;
};

// Limits the size to the screen's available area (and to the minimums) and
// moves the window fully onto it. A stored size of 100000 x 100000 would
// otherwise make a window no system can paint; one that hangs off the edge
// hides its buttons.
void PullOntoScreen(WindowGeometry& geometry, ScreenSize screen);

class WindowPositions {
public:
    WindowPositions(std::string defaultFileName, Dialogs& dialogs);

    // Saves, or restores and pulls onto `screen`, one window; `withSize` adds
    // Width and Height. Empty `fileName`: the default file (a missing one is
    // announced when saving); empty `sectionName`: "Window_" + name. Returns
    // false when the file could not be written; the failure is reported once
    // and nothing on disk changes.
    bool LoadSaveWindowPos(const std::string& name, WindowGeometry& geometry, bool doSave, bool withSize,
                           ScreenSize screen, const std::string& fileName = "", const std::string& sectionName = "");

    // The same for several windows (main, mixer, project list, series,
    // information window), in one file write.
    bool LoadSaveAllWindowPos(const std::vector<PlacedWindow>& windows, bool doSave, bool withSize, ScreenSize screen,
                              const std::string& fileName = "");

    const std::string& DefaultFileName() const { return defaultFileName_; }

private:
    bool Run(const std::vector<PlacedWindow>& windows, bool doSave, bool withSize, ScreenSize screen,
             const std::string& fileName, const std::string& sectionName);

    std::string defaultFileName_;
    Dialogs& dialogs_;
};

}  // namespace spurwerk
