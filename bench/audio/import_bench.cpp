// Import speed: `spurwerk-cli import` of a 5-minute stereo 48 kHz file onto a
// 16-bit project against sox doing the same conversion (very high quality
// resampling to 44.1 kHz, 16 bits with TPDF dither) in the same run, in pairs
// that alternate which goes first. Prints the medians and the median ratio.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

double Run(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system((command + " > /dev/null 2>&1").c_str()) != 0) {
        std::cerr << "failed: " << command << "\n";
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

}  // namespace

int main(int argc, char** argv) {
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path work = fs::temp_directory_path() / ("spurwerk-import-bench-" + std::to_string(std::rand()));
    fs::create_directories(work);
    const fs::path source = work / "backing.wav";
    Run("sox -n -r 48000 -b 24 -c 2 " + Quoted(source) + " synth 300 sine 220 sine 330 vol 0.5");
    const fs::path project = work / "PROJ001";
    fs::copy(fs::path(SPURWERK_DEMO_CARD) / "PROJ001", project, fs::copy_options::recursive);
    const fs::path saved = work / "PRJDATA.ZDT";
    fs::copy_file(project / "PRJDATA.ZDT", saved);

    auto spurwerk = [&] {
        fs::remove(project / "AUDIO" / "BACKING.WAV");
        fs::copy_file(saved, project / "PRJDATA.ZDT", fs::copy_options::overwrite_existing);
        return Run(std::string("\"") + SPURWERK_CLI + "\" import " + Quoted(source) + " " +
                   Quoted(project / "PRJDATA.ZDT") + " --track 5 --stereo pair");
    };
    auto sox = [&] {
        fs::remove(work / "sox.wav");
        return Run("sox " + Quoted(source) + " -b 16 " + Quoted(work / "sox.wav") + " rate -v 44100 dither");
    };
    std::vector<double> ours, theirs, ratios;
    for (int i = 0; i < pairs; ++i) {
        double a = 0, b = 0;
        if (i % 2 == 0) {
            a = spurwerk();
            b = sox();
        } else {
            b = sox();
            a = spurwerk();
        }
        ours.push_back(a);
        theirs.push_back(b);
        ratios.push_back(a / b);
    }
    std::cout << "import of 5 min stereo 48 kHz/24 bit -> 44.1 kHz/16 bit, " << pairs << " pairs\n"
              << "  spurwerk-cli import  median " << Median(ours) << " s\n"
              << "  sox rate -v dither   median " << Median(theirs) << " s\n"
              << "  ratio (median of pairs): " << Median(ratios) << "  (aim: at most 1.2)\n";
    fs::remove_all(work);
    return 0;
}
