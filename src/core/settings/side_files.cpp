#include "settings/side_files.h"

#include <cstdio>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/environment_text.h"

namespace spurwerk {

namespace fs = std::filesystem;

SideFiles DeriveSideFiles(const std::string& programFile, bool programDirWritable, const std::string& configDir) {
    SideFiles s;
    s.programFile = programFile;
    s.programDir = ExtractFilePath(programFile);
    s.writableDir = programDirWritable || configDir.empty() ? s.programDir : AddTrailingBackslash(configDir);
    const bool moved = s.writableDir != s.programDir;

    auto besideProgram = [&](const std::string& extension) { return ChangeFileExt(programFile, extension); };
    auto written = [&](const std::string& extension) {
        std::string name = besideProgram(extension);
        return moved ? s.writableDir + ExtractFileName(name) : name;
    };

    s.GuiFileName = besideProgram("_GUI.INI");
    s.ReadmeFileName = besideProgram("_README.TXT");
    s.doSaveAllGUIsMarker = s.programDir + "_DoSaveAllGUIsCreated.txt";
    s.assignsFile = besideProgram("_Assigns.INI");
    if (moved) {
        std::string own = written("_Assigns.INI");
        if (IsRegularFile(PathFromText(own))) s.assignsFile = own;
    }
    s.prjTemplateR16 = ResolveInProgramDir(PrjTemplateR16Name, s.programDir);
    s.prjTemplateR24 = ResolveInProgramDir(PrjTemplateR24Name, s.programDir);
    s.efxTemplateR16 = ResolveInProgramDir(EfxTemplateR16Name, s.programDir);
    s.efxTemplateR24 = ResolveInProgramDir(EfxTemplateR24Name, s.programDir);

    s.OptionsFileName = s.writableDir + "Spurwerk.INI";
    s.windowPositionsFile = written("_WindowPositions.INI");
    s.zdtHistory = written("_ZDTFile.HIS");
    s.wavHistory = written("_WAVFile.HIS");
    s.searchFilterHistory = written("_SearchFilter.HIS");
    s.copyToDirHistory = written("_CopyToDir.HIS");
    s.prjNamesHistory = written("_PRJNamesFile.HIS");
    return s;
}

SideFiles DeriveSideFiles(const std::string& programFile) {
    std::string dir = ExtractFilePath(programFile);
    fs::path folder = PathFromText(dir.empty() ? std::string(".") : dir);
    if (!IsInstalledProgramDir(folder) && IsFolderWritable(folder)) return DeriveSideFiles(programFile, true, "");
    std::string configDir = UserConfigDir();
    std::error_code ec;
    fs::create_directories(PathFromText(configDir), ec);
    return DeriveSideFiles(programFile, false, configDir);
}

bool IsInstalledProgramDir(const fs::path& programDir) {
    std::error_code ec;
    return fs::is_regular_file(programDir / InstalledMarkerName, ec);
}

bool IsFolderWritable(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return false;
    fs::path probe = TempNameBeside(folder / "Spurwerk");
#ifdef _WIN32
    std::FILE* f = _wfopen(probe.wstring().c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(probe.c_str(), "wbx");
#endif
    if (!f) return false;
    std::fclose(f);
    fs::remove(probe, ec);
    return true;
}

std::string UserConfigDir() {
#ifdef _WIN32
    std::string base = EnvironmentText("APPDATA");
    if (base.empty()) base = EnvironmentText("USERPROFILE");
#else
    std::string base = EnvironmentText("XDG_CONFIG_HOME");
    if (base.empty() && !EnvironmentText("HOME").empty()) base = AddTrailingBackslash(EnvironmentText("HOME")) + ".config";
#endif
    if (base.empty()) base = PathText(fs::temp_directory_path());
    return AddTrailingBackslash(AddTrailingBackslash(base) + "Spurwerk");
}

}  // namespace spurwerk
