#include "usage_text.h"

#include <array>
#include <memory>
#include <optional>
#include <regex>
#include <vector>

#include "cli_dialogs.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

namespace {

class LanguageFormatter : public CLI::Formatter {
public:
    std::string make_group(std::string group, bool isPositional, std::vector<const CLI::Option*> options) const override {
        // CLI11 names the default group of options itself.
        if (group == "Options") group = CliTxt(CliText::HelpOptions);
        return CLI::Formatter::make_group(group, isPositional, options);
    }
};

template <class Kind>
bool Is(const CLI::Error& error) {
    return dynamic_cast<const Kind*>(&error) != nullptr;
}

struct UsagePattern {
    bool (*kind)(const CLI::Error&);  // the class of CLI11's error (its name may be the command's)
    const char* pattern;              // its English message; groups are the values
    CliText text;
};

// More special patterns first: "A subcommand is required" before "X is required".
const UsagePattern Patterns[] = {
    {Is<CLI::ExtrasError>, "The following argument was not expected: (.*)", CliText::UsageUnexpected},
    {Is<CLI::ExtrasError>, "The following arguments were not expected: (.*)", CliText::UsageUnexpectedMany},
    {Is<CLI::RequiredError>, "A subcommand is required", CliText::UsageNeedsCommand},
    {Is<CLI::RequiredError>, "(.+) is required", CliText::UsageRequired},
    {Is<CLI::ValidationError>, "(.+): Value (.+) not in range (.+) to (.+)", CliText::UsageNotInRange},
    {Is<CLI::ValidationError>, "(.+): (.+) not in \\{(.*)\\}", CliText::UsageNotMember},
    {Is<CLI::ConversionError>, "Could not convert: (.+) = (.*)", CliText::UsageNotConverted},
    {Is<CLI::ConversionError>, "The value (.+) is not an allowed value for (.+)", CliText::UsageNotAllowed},
    {Is<CLI::ExcludesError>, "(.+) excludes (.+)", CliText::UsageExcludes},
    {Is<CLI::RequiresError>, "(.+) requires (.+)", CliText::UsageNeeds},
    {Is<CLI::ArgumentMismatch>, "(.+): [0-9]+ required .+ missing", CliText::UsageValueMissing},
};

}  // namespace

std::string UsageErrorText(const CLI::Error& error) {
    const std::string message = error.what();
    for (const UsagePattern& p : Patterns) {
        if (!p.kind(error)) continue;
        std::smatch match;
        if (!std::regex_match(message, match, std::regex(p.pattern))) continue;
        std::vector<std::string> values;
        for (std::size_t i = 1; i < match.size(); ++i) values.push_back(match[i].str());
        return CliTxt(p.text, values);
    }
    return message;
}

namespace {

// CLI11's names of value types; a type it names otherwise stays as it is.
const std::pair<const char*, CliText> TypeNames[] = {
    {"TEXT", CliText::TypeText},
    {"INT", CliText::TypeInt},
    {"UINT", CliText::TypeUint},
    {"FLOAT", CliText::TypeFloat},
};

std::string TypeInLanguage(const std::string& type) {
    for (const auto& [name, text] : TypeNames)
        if (type == name) return CliTxt(text);
    return type;
}

// The parts of CLI11's range description "TYPE in [LOW - HIGH]".
std::optional<std::array<std::string, 3>> RangeParts(const std::string& description) {
    const std::size_t in = description.rfind(" in [");
    if (in == 0 || in == std::string::npos || description.back() != ']') return std::nullopt;
    const std::string bounds = description.substr(in + 5, description.size() - in - 6);
    const std::size_t dash = bounds.rfind(" - ");
    if (dash == 0 || dash == std::string::npos || dash + 3 >= bounds.size()) return std::nullopt;
    return std::array<std::string, 3>{description.substr(0, in), bounds.substr(0, dash), bounds.substr(dash + 3)};
}

}  // namespace

// Runs at every start for each of the options: no regular expression, and
// the checks are looked at only where the type name shows a range.
void NameTypesInLanguage(CLI::App& app) {
    for (CLI::Option* option : app.get_options()) {
        // The full name is the type followed by each check's description, all after ':'.
        const std::string full = option->get_type_name();
        if (full.empty()) continue;  // a flag
        option->type_name(TypeInLanguage(full.substr(0, full.find(':'))));
        if (full.find(" in [") == std::string::npos) continue;
        for (int i = 0;; ++i) {
            CLI::Validator* check = nullptr;
            try {
                check = option->get_validator(i);
            } catch (const CLI::OptionNotFound&) {
                break;
            }
            if (auto range = RangeParts(check->get_description()))
                check->description(CliTxt(CliText::TypeRange, {TypeInLanguage((*range)[0]), (*range)[1], (*range)[2]}));
        }
    }
    for (CLI::App* sub : app.get_subcommands({})) NameTypesInLanguage(*sub);
}

void SpeakLanguage(CLI::App& app) {
    auto formatter = std::make_shared<LanguageFormatter>();
    const std::pair<const char*, CliText> labels[] = {
        {"Usage", CliText::HelpUsage},          {"OPTIONS", CliText::HelpOptionsMark},
        {"Positionals", CliText::HelpPositionals}, {"SUBCOMMAND", CliText::HelpCommandMark},
        {"SUBCOMMANDS", CliText::HelpCommandMark}, {"REQUIRED", CliText::HelpRequired},
        {"Needs", CliText::HelpNeeds},          {"Excludes", CliText::HelpExcludes},
    };
    for (const auto& [key, text] : labels) formatter->label(key, CliTxt(text));
    app.formatter(formatter);
    app.set_help_flag("-h,--help", CliTxt(CliText::HelpFlag));
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return "spurwerk-cli: " + TerminalText(UsageErrorText(error)) + "\n" + CliTxt(CliText::UsageRunHelp) + "\n";
    });
}

}  // namespace spurwerk::cli
