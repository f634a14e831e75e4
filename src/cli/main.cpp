// spurwerk-cli: Spurwerk's functions for scripts. Results go to stdout, errors
// to stderr as "spurwerk-cli: <message>"; exit 0 on success, 1 on an error,
// 2 on wrong usage.

#include <iostream>

#include "cli_dialogs.h"
#include "commands.h"
#include "ui/errors.h"

int main(int argc, char** argv) {
    using namespace spurwerk;
    CLI::App app{"Spurwerk command line: inspect and edit Zoom R16/R24 project files", "spurwerk-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "spurwerk-cli 1.0");
    cli::AddProjectCommands(app);
    cli::AddByteCommands(app);
    cli::AddFileCommands(app);
    cli::AddMixerCommands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    } catch (const SilentAbort&) {
        std::cerr << "spurwerk-cli: cancelled\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "spurwerk-cli: " << cli::TerminalText(e.what()) << "\n";
        return 1;
    }
    return 0;
}
