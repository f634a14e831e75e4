// spurwerk-cli: Spurwerk's functions for scripts. Results go to stdout, errors
// to stderr as "spurwerk-cli: <message>"; exit 0 on success, 1 on an error,
// 2 on wrong usage.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli_dialogs.h"
#include "cli_language.h"
#include "commands.h"
#include "io/file_io.h"
#include "json_output.h"
#include "usage_text.h"
#include "project/link_time.h"
#include "project/track_values.h"
#include "settings/cli_texts.h"
#include "settings/file_error_text.h"
#include "text/text_encoding.h"
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
    if (!ok)
        reason = spurwerk::SystemErrorInLanguage(std::error_code(error ? error : EIO, std::generic_category()));
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

namespace {

void AddExamples(CLI::App& app) {
    const std::pair<const char*, const char*> examples[] = {
        {"info", "info /media/card/PROJ001/PRJDATA.ZDT --json"},
        {"tracks", "tracks PRJDATA.ZDT --compact --groups Status,Pan,Fader --track-count 8"},
        {"set", "set PRJDATA.ZDT --track 3 Fader=90 Pan=L20 EQxM[v]=X EQxM=-4 EQMidHz=800 EQMidQual=0.5\n"
                "         spurwerk-cli set PRJDATA.ZDT --all --bank1 Reverb=30\n"
                "         spurwerk-cli tracks A/PRJDATA.ZDT --json | spurwerk-cli set B/PRJDATA.ZDT --from-json -"},
        {"copy-track", "copy-track PRJDATA.ZDT 1 5"},
        {"swap-tracks", "swap-tracks PRJDATA.ZDT 1 5"},
        {"files", "files PRJDATA.ZDT --list-size"},
        {"marks", "marks PRJDATA.ZDT --set-end --no"},
        {"wav", "wav PROJ001/AUDIO/*.WAV"},
        {"hex", "hex PRJDATA.ZDT"},
        {"diff", "diff PROJ001/PRJDATA.ZDT PROJ002/PRJDATA.ZDT"},
        {"save-project", "save-project PRJDATA.ZDT /media/card/PROJ012/PRJDATA.ZDT --name SONG12 --yes"},
        {"copy", "copy /media/card/PROJ001 /backup/PROJ001 --no"},
        {"search", "search /media/card --filter SONG --wav --wav-size --sort time"},
        {"infofiles", "infofiles update /media/card"},
        {"endmarks", "endmarks /media/card --no"},
        {"import", "import backing.mp3 PRJDATA.ZDT --track 5 --stereo pair"},
        {"export", "export PRJDATA.ZDT --to ~/Stems --format wav16 --tracks 1,3-5"},
        {"series", "series PRJDATA.ZDT /media/card --start 20 --count 5 --names NAMES.TXT --yes"},
    };
    for (const auto& [name, example] : examples)
        app.get_subcommand(name)->footer(spurwerk::CliTxt(spurwerk::CliText::HelpExample) + " spurwerk-cli " +
                                         example);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace spurwerk;
    const bool stdoutOpen = StandardStreamsOpen();
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
    // The language first: help, usage errors and file errors are worded in it.
    try {
        cli::UseCliLanguage(cli::LanguageOption(std::vector<std::string>(argv + std::min(argc, 1), argv + argc)));
    } catch (const std::exception& e) {
        std::cerr << "spurwerk-cli: " << cli::TerminalText(e.what()) << "\n";
        return 2;
    }
    SetFileErrorWording(&FileErrorInLanguage);
    CLI::App app{CliTxt(CliText::HelpProgram), "spurwerk-cli"};
    cli::SpeakLanguage(app);
    app.require_subcommand(1);
    // Also after the command's name: `spurwerk-cli info FILE --lang en`.
    app.fallthrough();
    std::string language;
    app.add_option("--lang", language, CliTxt(CliText::HelpLang));
    app.set_version_flag("--version",
                         "spurwerk-cli " SPURWERK_VERSION " (built " + DateTimeText(UnixToDateTime(BuildTimeStamp())) + ")",
                         CliTxt(CliText::VersionFlag));
    cli::AddProjectCommands(app);
    cli::AddByteCommands(app);
    cli::AddFileCommands(app);
    cli::AddMixerCommands(app);
    cli::AddAudioCommands(app);
    cli::AddArchiveCommands(app);
    for (CLI::App* sub : app.get_subcommands({})) sub->group(CliTxt(CliText::HelpCommands));
    app.footer(CliTxt(CliText::HelpFooter) + "\n" + CliTxt(CliText::HelpExample) +
               " spurwerk-cli info /media/card/PROJ001/PRJDATA.ZDT");
    AddExamples(app);
    cli::NameTypesInLanguage(app);
    if (!stdoutOpen) {
        std::cerr << "spurwerk-cli: " << CliTxt(CliText::StdoutClosed) << "\n";
        return 1;
    }
    // A path printed in JSON with "\xHH" escapes (its bytes are no UTF-8)
    // names the file it was printed for, unless a file of the literal name exists.
    std::vector<std::string> arguments(argv, argv + argc);
    std::vector<char*> argumentPointers;
    for (std::string& argument : arguments) {
        if (auto bytes = UnescapeNonUtf8Bytes(argument); bytes && !PathExists(argument)) argument = *bytes;
        argumentPointers.push_back(argument.data());
    }
    argv = argumentPointers.data();
    int exitCode = 0;
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        exitCode = app.exit(e);
    } catch (const CLI::ParseError& e) {
        if (cli::JsonOutput()) {
            std::cerr << cli::JsonErrorText(cli::UsageErrorText(e)) << "\n";
            return 2;
        }
        app.exit(e);
        exitCode = 2;
    } catch (const SilentAbort&) {
        std::cerr << (cli::JsonOutput() ? cli::JsonErrorText(CliTxt(CliText::Cancelled))
                                        : "spurwerk-cli: " + CliTxt(CliText::Cancelled))
                  << "\n";
        exitCode = 1;
    } catch (const std::exception& e) {
        // The codec's refusal of a linked track is worded in the CLI's language.
        auto* locked = dynamic_cast<const TrackLocked*>(&e);
        std::string message = locked ? CliTxt(CliText::StereoSecondTrack, {std::to_string(locked->stripIndex + 1),
                                                                          std::to_string(locked->stripIndex)})
                                     : std::string(e.what());
        if (cli::JsonOutput())
            std::cerr << cli::JsonErrorText(message) << "\n";
        else
            std::cerr << "spurwerk-cli: " << cli::TerminalText(message) << "\n";
        exitCode = 1;
    }
    std::string reason;
    if (!OutputWritten(reason)) {
        std::cerr << "spurwerk-cli: " << CliTxt(CliText::CannotWriteOutput, {reason}) << "\n";
        return 1;
    }
    return exitCode;
}
