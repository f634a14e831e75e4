// spurwerk-cli: Spurwerk's functions for scripts. Results go to stdout, errors
// to stderr as "spurwerk-cli: <message>"; exit 0 on success, 1 on an error,
// 2 on wrong usage.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli_dialogs.h"
#include "commands.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "io/path_text.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// A standard stream the caller closed gets /dev/null, so that no file the
// command opens takes its number and receives what is meant for the stream.
// Returns false when stdout was closed: the results would go nowhere.
bool StandardStreamsOpen() {
#ifndef _WIN32
    bool stdoutOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (fd == 1) stdoutOpen = false;
        int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
    return stdoutOpen;
#else
    return true;
#endif
}

// Whether everything printed reached stdout; an error (a full disk, /dev/full)
// makes the command fail instead of leaving a cut list behind.
bool OutputWritten(std::string& reason) {
    errno = 0;
    std::cout.flush();
    bool ok = static_cast<bool>(std::cout);
    int error = errno;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        ok = false;
        error = errno;
    }
    if (!ok) reason = error ? std::strerror(error) : "write error";
    return ok;
}

}  // namespace

#ifdef _WIN32
namespace {

// The arguments as UTF-8, as everything inside takes texts: the narrow argv of
// Windows holds the ANSI code page and loses what does not fit it.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i) arguments.push_back(spurwerk::PathText(std::filesystem::path(wide[i])));
    LocalFree(wide);
    return arguments;
}

}  // namespace
#endif

int main(int argc, char** argv) {
    using namespace spurwerk;
    if (!StandardStreamsOpen()) {
        std::cerr << "spurwerk-cli: standard output is closed; nothing was done\n";
        return 1;
    }
    CLI::App app{"Spurwerk command line: inspect and edit Zoom R16/R24 project files", "spurwerk-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "spurwerk-cli 1.0");
    cli::AddProjectCommands(app);
    cli::AddByteCommands(app);
    cli::AddFileCommands(app);
    cli::AddMixerCommands(app);
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> utf8 = Utf8Arguments();
    std::vector<char*> utf8Argv;
    for (std::string& argument : utf8) utf8Argv.push_back(argument.data());
    if (!utf8Argv.empty()) {
        argc = static_cast<int>(utf8Argv.size());
        argv = utf8Argv.data();
    }
#endif
    int exitCode = 0;
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        exitCode = app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        exitCode = 2;
    } catch (const SilentAbort&) {
        std::cerr << "spurwerk-cli: cancelled\n";
        exitCode = 1;
    } catch (const std::exception& e) {
        std::cerr << "spurwerk-cli: " << cli::TerminalText(e.what()) << "\n";
        exitCode = 1;
    }
    std::string reason;
    if (!OutputWritten(reason)) {
        std::cerr << "spurwerk-cli: cannot write the output: " << reason << "\n";
        return 1;
    }
    return exitCode;
}
