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

struct ScreenSize {
    int width = 0;
    int height = 0;
};

struct PlacedWindow {
    std::string name;  // component name, e.g. "FormMain"
    WindowGeometry* geometry = nullptr;
};

// Keeps at least 32 pixels of the window on the screen at either side and its
// top edge on the screen.
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
