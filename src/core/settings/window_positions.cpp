#include "settings/window_positions.h"

#include <algorithm>
#include <system_error>

#include "io/path_text.h"
#include "settings/ini_file.h"
#include "settings/text_table.h"

namespace spurwerk {

void PullOntoScreen(WindowGeometry& g, ScreenSize screen) {
    if (screen.width <= 0 || screen.height <= 0) return;  // no screen known: nothing to fit
    g.width = std::clamp(g.width, std::min(MinWindowWidth, screen.width), screen.width);
    g.height = std::clamp(g.height, std::min(MinWindowHeight, screen.height), screen.height);
    g.left = std::clamp(g.left, screen.left, screen.left + screen.width - g.width);
    g.top = std::clamp(g.top, screen.top, screen.top + screen.height - g.height);
}

WindowPositions::WindowPositions(std::string defaultFileName, Dialogs& dialogs)
    : defaultFileName_(std::move(defaultFileName)), dialogs_(dialogs) {}

bool WindowPositions::LoadSaveWindowPos(const std::string& name, WindowGeometry& geometry, bool doSave,
                                        bool withSize, ScreenSize screen, const std::string& fileName,
                                        const std::string& sectionName) {
    return Run({PlacedWindow{name, &geometry}}, doSave, withSize, screen, fileName, sectionName);
}

bool WindowPositions::LoadSaveAllWindowPos(const std::vector<PlacedWindow>& windows, bool doSave, bool withSize,
                                           ScreenSize screen, const std::string& fileName) {
    return Run(windows, doSave, withSize, screen, fileName, "");
}

bool WindowPositions::Run(const std::vector<PlacedWindow>& windows, bool doSave, bool withSize, ScreenSize screen,
                          const std::string& fileName, const std::string& sectionName) {
    const std::string file = fileName.empty() ? defaultFileName_ : fileName;
    std::error_code ec;
    if (fileName.empty() && doSave && !std::filesystem::exists(PathFromText(file), ec))
        dialogs_.Message(Txt(185) + file + Txt(102), MessageButtons::Ok);

    IniFile ini(PathFromText(file));
    for (const PlacedWindow& w : windows) {
        const std::string section = sectionName.empty() ? "Window_" + w.name : sectionName;
        WindowGeometry& g = *w.geometry;
        auto value = [&](const char* key, int& field) {
            if (doSave)
                ini.WriteInteger(section, key, field);
            else
                field = ini.ReadInteger(section, key, field);
        };
        value("Left", g.left);
        value("Top", g.top);
        if (withSize) {
            value("Width", g.width);
            value("Height", g.height);
        }
        if (!doSave) PullOntoScreen(g, screen);
    }
    if (!doSave) return true;
    try {
        ini.Flush();
    } catch (const std::exception& e) {
        dialogs_.Message(e.what(), MessageButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace spurwerk
