// spurwerk-cli: Spurwerk's functions for scripts. Results go to stdout, errors
// to stderr as "spurwerk-cli: <message>"; exit 0 on success, 1 on an error,
// 2 on wrong usage.

#include <iostream>
#include <string>
#include <vector>

#include "cli_dialogs.h"
#include "commands.h"
#include "json_output.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "io/path_text.h"

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
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        if (cli::JsonOutput()) {
            std::cerr << cli::JsonErrorText(e.what()) << "\n";
            return 2;
        }
        app.exit(e);
        return 2;
    } catch (const SilentAbort&) {
        std::cerr << (cli::JsonOutput() ? cli::JsonErrorText("cancelled") : "spurwerk-cli: cancelled") << "\n";
        return 1;
    } catch (const std::exception& e) {
        if (cli::JsonOutput())
            std::cerr << cli::JsonErrorText(e.what()) << "\n";
        else
            std::cerr << "spurwerk-cli: " << cli::TerminalText(e.what()) << "\n";
        return 1;
    }
    return 0;
}
