#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <vector>

#include "io/file_io.h"
#include "settings/cli_texts.h"
#include "settings/file_error_text.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

FileErrorReport Report(FileStep step, FileFault fault, std::error_code code = {}, std::vector<std::string> values = {}) {
    FileErrorReport report;
    report.step = step;
    report.path = "/k/P.ZDT";
    report.fault = fault;
    report.code = code;
    report.values = std::move(values);
    return report;
}

// A message names the step, the file (and for a copy its source) and the
// reason in the language chosen: values fill their places, a system error
// without a text of its own keeps the system's message. The English wording
// is what every front end showed before it could choose.
TEST(FileErrorText, StepsAndReasonsInBothLanguages) {
    InitCliTexts();
    const auto code = [](std::errc e) { return std::make_error_code(e); };
    FileErrorReport copyTo = Report(FileStep::CopyTo, FileFault::System, code(std::errc::no_space_on_device));
    copyTo.source = "/v/A.WAV";
    const struct {
        FileErrorReport report;
        std::string german, english;
    } cases[] = {
        {Report(FileStep::Read, FileFault::NotFound), "\"/k/P.ZDT\" kann nicht gelesen werden: Datei nicht gefunden",
         "Cannot read \"/k/P.ZDT\": file not found"},
        {Report(FileStep::Open, FileFault::TooLarge, {}, {"70000000", "67108864"}),
         "\"/k/P.ZDT\" kann nicht geöffnet werden: die Datei ist zu groß (70000000 Bytes; höchstens 67108864 werden "
         "angenommen)",
         "Cannot open \"/k/P.ZDT\": file is too large (70000000 bytes; at most 67108864 are accepted)"},
        {Report(FileStep::Write, FileFault::ReadOnly), "\"/k/P.ZDT\" kann nicht geschrieben werden: die Datei ist schreibgeschützt",
         "Cannot write \"/k/P.ZDT\": the file is read-only"},
        {Report(FileStep::Write, FileFault::System, NotARegularFileError()),
         "\"/k/P.ZDT\" kann nicht geschrieben werden: keine gewöhnliche Datei (ein FIFO, ein Gerät oder ein Socket)",
         "Cannot write \"/k/P.ZDT\": not a regular file (a FIFO, a device or a socket)"},
        {Report(FileStep::CreateFolder, FileFault::System, code(std::errc::permission_denied)),
         "Der Ordner \"/k/P.ZDT\" kann nicht angelegt werden: Zugriff verweigert",
         "Cannot create folder \"/k/P.ZDT\": " + code(std::errc::permission_denied).message()},
        {copyTo, "\"/v/A.WAV\" kann nicht nach \"/k/P.ZDT\" kopiert werden: kein Platz mehr auf dem Datenträger",
         "Cannot copy \"/v/A.WAV\" to \"/k/P.ZDT\": " + code(std::errc::no_space_on_device).message()},
        // A code without a text of its own keeps the system's message.
        {Report(FileStep::Write, FileFault::System, code(std::errc::broken_pipe)),
         "\"/k/P.ZDT\" kann nicht geschrieben werden: " + code(std::errc::broken_pipe).message(),
         "Cannot write \"/k/P.ZDT\": " + code(std::errc::broken_pipe).message()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileErrorInLanguage(c.report), c.german);
        EXPECT_EQ(EnglishFileErrorText(c.report), c.english);
    }
}

// The wording installed is the one every FileError made afterwards carries,
// also where its text is passed on as a string.
TEST(FileErrorText, InstalledWordingReachesEveryError) {
    InitCliTexts();
    const std::filesystem::path missing = std::filesystem::path("/nonexistent-dir-of-spurwerk") / "P.ZDT";
    auto readMessage = [&] {
        try {
            ReadWholeFile(missing);
        } catch (const FileError& e) {
            EXPECT_TRUE(e.Report().has_value());
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(readMessage().rfind("Cannot read \"", 0), 0u) << readMessage();
    SetFileErrorWording(&FileErrorInLanguage);
    const std::string german = readMessage();
    SetFileErrorWording(nullptr);
    EXPECT_NE(german.find("kann nicht gelesen werden: Datei nicht gefunden"), std::string::npos) << german;
    EXPECT_EQ(readMessage().rfind("Cannot read \"", 0), 0u);
}

}  // namespace
}  // namespace spurwerk
