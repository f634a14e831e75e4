// hex, diff, wav: the raw bytes of project files and the headers of WAV files.

#include <cstdio>
#include <iostream>
#include <memory>

#include "cli_support.h"
#include "commands.h"
#include "json_output.h"
#include "project/track_layout.h"
#include "project/wav_header.h"

namespace spurwerk::cli {

namespace {

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

std::string Address(std::size_t index) { return "$" + Hex(static_cast<unsigned>(index), 4) + ":"; }

void AddHex(CLI::App& app) {
    auto file = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("hex", "The bytes of a file, 16 a line, as the hex view shows them");
    sub->add_option("FILE", *file, "any file (at most 64 MiB)")->required();
    AddJsonFlag(sub);
    sub->callback([file] {
        SetErrorFile(*file);
        ZDTDocument doc = LoadDocument(*file, false);
        if (JsonOutput()) {
            PrintJson({{"file", CardText(doc.LoadedZDTFileName)},
                       {"size", doc.ZDTData().size()},
                       {"bytes", doc.ZDTData()}},
                      false);
            return;
        }
        std::string out;
        for (std::size_t i = 0; i < doc.ZDTData().size(); ++i) {
            if (i % 16 == 0) out += (i ? "\n" : "") + Address(i);
            out += " " + Hex(doc.ZDTData()[i], 2);
        }
        if (!out.empty()) std::cout << out << "\n";
    });
}

void AddDiff(CLI::App& app) {
    struct Options {
        std::string file, compare;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("diff", "The bytes in which FILE differs from COMPARE, with the mixer controls "
                                           "bound to them");
    sub->add_option("FILE", options->file, "the file shown")->required();
    sub->add_option("COMPARE", options->compare, "the file compared with")->required();
    AddJsonFlag(sub);
    sub->callback([options] {
        SetErrorFile(options->file);
        ZDTDocument doc = LoadDocument(options->file, false);
        SetErrorFile(options->compare);
        Bytes compare = LoadDocument(options->compare, false).ZDTData();
        std::string lines;
        std::size_t count = 0;
        Json differences = Json::array();
        // Bytes beyond the end of COMPARE have nothing to differ from.
        for (std::size_t i = 0; i < doc.ZDTData().size() && i < compare.size(); ++i) {
            if (doc.ZDTData()[i] == compare[i]) continue;
            ++count;
            lines += Address(i) + " " + Hex(doc.ZDTData()[i], 2) + " " + Hex(compare[i], 2);
            std::vector<std::string> controls;
            if (i > 0) controls = ControlsBoundTo(i, layout::TrackCount);
            for (const std::string& name : controls) lines += "  (" + name + ")";
            lines += "\n";
            differences.push_back({{"offset", i}, {"value", doc.ZDTData()[i]}, {"compare", compare[i]},
                                   {"controls", controls}});
        }
        if (JsonOutput()) {
            PrintJson({{"file", CardText(options->file)},
                       {"compare", CardText(options->compare)},
                       {"count", count},
                       {"differences", differences}});
            return;
        }
        std::cout << count << " B.\n" << lines;
    });
}

void AddWav(CLI::App& app) {
    struct Options {
        bool listSize = false;
        std::vector<std::string> files;
    };
    auto options = std::make_shared<Options>();
    auto* sub = app.add_subcommand("wav", "Format, length and size of WAV files");
    sub->add_flag("--list-size", options->listSize, "also show the size of a LIST chunk");
    sub->add_option("FILE", options->files, "WAV files")->required();
    AddJsonFlag(sub);
    sub->callback([options] {
        if (JsonOutput()) {
            Json files = Json::array();
            for (const std::string& file : options->files) files.push_back(WavJson(file));
            PrintJson({{"files", files}});
            return;
        }
        for (const std::string& file : options->files)
            std::cout << file << WavHeaderSummary(file, options->listSize).text << "\n";
    });
}

}  // namespace

void AddByteCommands(CLI::App& app) {
    AddHex(app);
    AddDiff(app);
    AddWav(app);
}

}  // namespace spurwerk::cli
