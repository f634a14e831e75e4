#pragma once
// Shared pieces of the fuzz targets: a front end that answers every question
// with its most harmless choice, and a scratch file for readers that take a path.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/dialogs.h"

#include <unistd.h>

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
    void OpenWithAssociatedProgram(const std::string&) override {}
    void StartFurtherInstance(const std::string&) override {}
};

// A scratch file in this process's own folder (parallel fuzz jobs do not share
// it), in memory where the system offers a folder for that: the writers sync
// every file they save. The folder is removed when the run ends. Returns the
// path of the file, which holds the input.
inline std::string WriteScratch(const std::string& name, const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    static const struct Folder {
        fs::path path = (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                        ("spurwerk-fuzz-" + std::to_string(getpid()));
        Folder() { fs::create_directories(path); }
        ~Folder() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } folder;
    std::ofstream(folder.path / name, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                             static_cast<std::streamsize>(size));
    return (folder.path / name).string();
}

}  // namespace spurwerk::fuzz
