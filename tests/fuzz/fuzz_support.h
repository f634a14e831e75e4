#pragma once
// Shared pieces of the fuzz targets: a front end that answers every question
// with its most harmless choice, and a scratch file for readers that take a path.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/dialogs.h"

#ifdef _WIN32
#include <process.h>
#define SPURWERK_FUZZ_PID _getpid()
#else
#include <unistd.h>
#define SPURWERK_FUZZ_PID getpid()
#endif

namespace spurwerk::fuzz {

class SilentDialogs : public Dialogs {
public:
    int Message(const std::string&, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? ResultOk : ResultCancel;
    }
    int TimedInput(TimedInputRequest& request) override { return request.defaultResult; }
    HistInputResult InputHist(const HistInputRequest&) override { return {"", true, false, false}; }
    std::string SelectFolder(const std::string&, const std::string&) override { return ""; }
    bool AskAbortOnClick(int) override { return false; }
    KeyState Keys() override { return {}; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void StartFurtherInstance(const std::string&) override {}
};

// The folder of this process's scratch files (parallel fuzz jobs do not share
// it), in memory where the system offers a folder for that: the writers sync
// every file they save. Removed when the run ends.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        path = base / ("spurwerk-fuzz-" + std::to_string(SPURWERK_FUZZ_PID));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

inline std::filesystem::path ScratchFile(const std::string& name) {
    static const ScratchFolder folder;
    return folder.path / name;
}

inline void WriteScratch(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace spurwerk::fuzz
