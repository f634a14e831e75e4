#pragma once
// CLI11's own texts (help headings, usage errors) in the command line's language.

#include <string>

#include <CLI/CLI.hpp>

namespace spurwerk::cli {

// Gives the app (and the subcommands added after it) the help headings, the
// help and version flags' descriptions and the usage error's wording in the
// language loaded. Call before adding subcommands: they take these from their parent.
void SpeakLanguage(CLI::App& app);

// Every option's value type in the help (TEXT, INT, "INT in [1 - 16]") in the
// language loaded. Call once every command and option is added.
void NameTypesInLanguage(CLI::App& app);

// A usage error's message in the language loaded; a message without a
// wording of its own stays as it is.
std::string UsageErrorText(const CLI::Error& error);

}  // namespace spurwerk::cli
