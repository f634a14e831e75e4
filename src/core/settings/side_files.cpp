#include "settings/side_files.h"

#include <cstdio>
#include <system_error>

#include "io/file_io.h"
#include "io/path_text.h"
#include "settings/environment_text.h"

namespace spurwerk {

namespace fs = std::filesystem;

namespace {

bool IsDelimiter(char c) {
#ifdef _WIN32
    if (c == ':') return true;
#endif
    return IsPathSeparator(c);
}

std::size_t LastDelimiter(const std::string& name) {
    for (std::size_t i = name.size(); i > 0; --i)
        if (IsDelimiter(name[i - 1])) return i - 1;
    return std::string::npos;
}

}  // namespace

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    std::size_t dot = fileName.rfind('.');
    std::size_t delimiter = LastDelimiter(fileName);
    if (dot == std::string::npos || (delimiter != std::string::npos && dot < delimiter)) return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

std::string ExtractFilePath(const std::string& fileName) {
    std::size_t delimiter = LastDelimiter(fileName);
    return delimiter == std::string::npos ? std::string() : fileName.substr(0, delimiter + 1);
}

std::string ExtractFileName(const std::string& fileName) {
    std::size_t delimiter = LastDelimiter(fileName);
    return delimiter == std::string::npos ? fileName : fileName.substr(delimiter + 1);
}

bool HasDirectoryPart(const std::string& fileName) { return LastDelimiter(fileName) != std::string::npos; }

std::string ResolveInProgramDir(const std::string& fileName, const std::string& programDir) {
    return HasDirectoryPart(fileName) ? fileName : programDir + fileName;
}

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
    if (IsFolderWritable(PathFromText(dir.empty() ? std::string(".") : dir))) return DeriveSideFiles(programFile, true, "");
    std::string configDir = UserConfigDir();
    std::error_code ec;
    fs::create_directories(PathFromText(configDir), ec);
    return DeriveSideFiles(programFile, false, configDir);
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
