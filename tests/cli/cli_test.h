#pragma once
// The command line program run as a user runs it, on a copy of the generated
// demo card.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "process.h"
#include "test_files.h"

namespace spurwerk::testing {

inline const std::filesystem::path DemoCard = std::filesystem::path(SPURWERK_BIN_DIR) / ".." / "demo-card";

// A hang fails the test after a minute (exit code -2) instead of blocking.
// The language is fixed (German, the program's own, unless given), so neither the locale
// nor a language chosen in a window started from build/bin changes a result.
inline ProcessResult Cli(std::vector<std::string> arguments, ProcessOptions options = {},
                         const std::string& language = "de") {
    options.timeoutSeconds = 60;
    arguments.insert(arguments.begin(), {"--lang", language});
#ifdef _WIN32
    // Wine hands a child no redirected stdin: the input goes through a file there.
    TempDir dir;
    if (!options.input.empty()) {
        WriteText(dir / "input.json", options.input);
        for (std::string& a : arguments)
            if (a == "-") a = (dir / "input.json").string();
    }
#endif
    return RunProcess(SPURWERK_CLI, arguments, options);
}

// What a command that must succeed printed (a failure shows its stderr).
inline std::string Out(std::vector<std::string> arguments) {
    const ProcessResult r = Cli(std::move(arguments));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
}

inline ProcessResult CliWithInput(std::vector<std::string> arguments, const std::string& input) {
    ProcessOptions options;
    options.input = input;
    return Cli(std::move(arguments), options);
}

// The one JSON document a successful command printed (a parse error fails the test).
inline nlohmann::json Parsed(const ProcessResult& r) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

// Passes when `part` is in `text`; a failure shows the whole text.
inline ::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

// Exit code 1 with `message` in what the program wrote to stderr.
inline ::testing::AssertionResult Fails(const ProcessResult& r, const std::string& message) {
    if (r.exitCode == 1) return Has(r.err, message);
    return ::testing::AssertionFailure() << "exit code " << r.exitCode << ", stderr:\n" << r.err;
}

class CliOnCard : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy(DemoCard, card.path(), std::filesystem::copy_options::recursive); }
    std::string Path(const std::string& relative) const { return NativePath((card / relative).string()); }
    std::string Project(const std::string& folder) const { return Path(folder + "/PRJDATA.ZDT"); }
    std::string Root() const { return NativePath(card.path().string()); }
    TempDir card;
};

}  // namespace spurwerk::testing
