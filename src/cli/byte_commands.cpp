// hex, diff, wav: the raw bytes of project files and the headers of WAV files.

#include <iostream>
#include <memory>

#include "cli_dialogs.h"
#include "audio/recorder_rules.h"
#include "cli_support.h"
#include "commands.h"
#include "json_output.h"
#include "project/hex_layout.h"
#include "project/track_layout.h"
#include "project/wav_header.h"
#include "settings/cli_texts.h"

namespace spurwerk::cli {

namespace {

void AddHex(CLI::App& app) {
    auto file = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("hex", CliTxt(CliText::HelpHex));
    sub->add_option("FILE", *file, CliTxt(CliText::HelpAnyFile))->required();
    AddJsonFlag(sub);
    sub->callback([file] {
        SetErrorFile(*file);
        ProjectSession session = OpenSession(*file, false);
        const ZDTDocument& doc = session.doc;
        if (JsonOutput()) {
            PrintJson({{"file", CardPath(session.LoadedZDTFileName)},
                       {"size", doc.ZDTData().size()},
                       {"bytes", doc.ZDTData()}},
                      false);
            return;
        }
        std::string out;
        for (std::size_t i = 0; i < doc.ZDTData().size(); ++i) {
            if (i % HexBytesPerRow == 0) out += (i ? "\n" : "") + HexAddressText(i);
            out += " " + HexByteText(doc.ZDTData()[i]);
        }
        if (!out.empty()) std::cout << out << "\n";
    });
}

void AddDiff(CLI::App& app) {
    struct Options {
        std::string file, compare;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("diff", CliTxt(CliText::HelpDiff));
    sub->add_option("FILE", options->file, CliTxt(CliText::HelpFileShown))->required();
    sub->add_option("COMPARE", options->compare, CliTxt(CliText::HelpFileCompared))->required();
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        ProjectSession session = OpenSession(options->file, false);
        const ZDTDocument& doc = session.doc;
        SetErrorFile(options->compare);
        Bytes compare = OpenSession(options->compare, false).doc.ZDTData();
        std::string lines;
        std::size_t count = 0;
        Json differences = Json::array();
        // Bytes beyond the end of COMPARE have nothing to differ from.
        for (std::size_t i = 0; i < doc.ZDTData().size() && i < compare.size(); ++i) {
            if (doc.ZDTData()[i] == compare[i]) continue;
            ++count;
            lines += HexAddressText(i) + " " + HexByteText(doc.ZDTData()[i]) + " " + HexByteText(compare[i]);
            std::vector<std::string> controls;
            if (i > 0) controls = ControlsBoundTo(i, layout::TrackCount);
            for (const std::string& name : controls) lines += "  (" + name + ")";
            lines += "\n";
            differences.push_back({{"offset", i}, {"value", doc.ZDTData()[i]}, {"compare", compare[i]},
                                   {"controls", controls}});
        }
        if (JsonOutput()) {
            PrintJson({{"file", CardPath(options->file)},
                       {"compare", CardPath(options->compare)},
                       {"count", count},
                       {"differences", differences}});
            return;
        }
        std::cout << DiffBytesText(count) << "\n" << lines;
    });
}

void AddWav(CLI::App& app) {
    struct Options {
        bool listSize = false;
        std::vector<std::string> files;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("wav", CliTxt(CliText::HelpWav));
    sub->add_flag("--list-size", options->listSize, CliTxt(CliText::HelpListSize));
    sub->add_option("FILE", options->files, CliTxt(CliText::HelpWavFiles))->required();
    AddJsonFlag(sub);
    sub->callback([options] {
        if (JsonOutput()) {
            Json files = Json::array();
            for (const std::string& file : options->files) files.push_back(WavJson(file));
            PrintJson({{"files", files}});
            return;
        }
        for (const std::string& file : options->files)
            PrintLine(file + WavHeaderSummary(file, options->listSize).text +
                      RecorderRefusalMark(RecorderRefusalsOfFile(file)));
    });
}

}  // namespace

void AddByteCommands(CLI::App& app) {
    AddHex(app);
    AddDiff(app);
    AddWav(app);
}

}  // namespace spurwerk::cli
