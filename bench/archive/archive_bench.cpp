// Archiving a generated 16-track project (24-bit mono, a tone with noise, as a
// recording is) against the flac command-line encoder on the same WAV files
// at the same level, one file after another (one thread each). Prints the
// time ratio (aim: at most 1.2) and the size ratio (aim: within 1 %). The
// archive also reads every file back, decodes it and checks its SHA-256;
// flac is run with --verify too, for the fairer yardstick.
//
// archive_bench [SECONDS_PER_TRACK [LEVEL]]   (default 60 s, level 5)

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "archive/project_archive.h"
#include "ui/dialogs.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct NoQuestions : spurwerk::Dialogs {
    int Message(const std::string&, spurwerk::MessageButtons) override { return spurwerk::ResultYes; }
    int TimedInput(spurwerk::TimedInputRequest&) override { return spurwerk::ResultOk; }
    spurwerk::HistInputResult InputHist(const spurwerk::HistInputRequest&) override { return {"", true, false, false}; }
    std::string SelectFolder(const std::string&, const std::string&) override { return ""; }
    bool AskAbortOnClick(int) override { return false; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void StartFurtherInstance(const std::string&) override {}
};

void PutLE(std::vector<char>& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
}

std::vector<char> Recording(int track, int seconds) {
    const std::uint32_t rate = 44100, frames = rate * static_cast<std::uint32_t>(seconds), data = frames * 3;
    std::vector<char> b;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    PutLE(b, 36 + data, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(b, 16, 4), PutLE(b, 1, 2), PutLE(b, 1, 2), PutLE(b, rate, 4), PutLE(b, rate * 3, 4), PutLE(b, 3, 2),
        PutLE(b, 24, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    PutLE(b, data, 4);
    std::mt19937 noise(static_cast<unsigned>(track));
    std::normal_distribution<double> hiss(0.0, 2000.0);
    const double pitch = 110.0 * (1 + track % 5);
    for (std::uint32_t i = 0; i < frames; ++i) {
        double t = i / static_cast<double>(rate);
        double envelope = 0.5 + 0.5 * std::sin(2 * M_PI * 0.25 * t + track);
        auto v = static_cast<std::int32_t>(envelope * 3e6 * std::sin(2 * M_PI * pitch * t) + hiss(noise));
        PutLE(b, static_cast<std::uint32_t>(v), 3);
    }
    return b;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    int level = argc > 2 ? std::atoi(argv[2]) : 5;
    if (std::system("flac --version >/dev/null 2>&1") != 0) {
        std::cout << "archive_bench: the flac encoder is not installed (apt-get install flac): no yardstick, no figures\n";
        return 1;
    }
    fs::path root = fs::temp_directory_path() / ("spurwerk-archive-bench-" + std::to_string(::getpid()));
    fs::path project = root / "card" / "PROJ001", store = root / "store", flacOut = root / "flac";
    fs::create_directories(project / "AUDIO");
    fs::create_directories(store);
    fs::create_directories(flacOut);
    {
        std::vector<char> prj(3584, 0);
        std::string name = "BENCH";
        std::copy(name.begin(), name.end(), prj.begin() + 52);
        std::ofstream(project / "PRJDATA.ZDT", std::ios::binary).write(prj.data(), static_cast<std::streamsize>(prj.size()));
    }
    std::uint64_t wavBytes = 0;
    for (int track = 1; track <= 16; ++track) {
        char name[16];
        std::snprintf(name, sizeof name, "MONO-%03d.WAV", track - 1);
        std::vector<char> wav = Recording(track, seconds);
        wavBytes += wav.size();
        std::ofstream(project / "AUDIO" / name, std::ios::binary).write(wav.data(), static_cast<std::streamsize>(wav.size()));
    }
    std::cout << "16 tracks of " << seconds << " s, 24-bit mono: " << wavBytes / 1000000 << " MB, level " << level << "\n";

    // Warm the page cache for both sides alike.
    for (const auto& e : fs::directory_iterator(project / "AUDIO")) std::ifstream(e.path(), std::ios::binary).ignore(1LL << 40);

    auto flacRun = [&](bool verify) {
        auto start = Clock::now();
        std::uint64_t size = 0;
        for (const auto& e : fs::directory_iterator(project / "AUDIO")) {
            fs::path out = flacOut / (e.path().filename().string() + ".flac");
            std::string command = "flac -s -f -" + std::to_string(level) + (verify ? " --verify" : "") + " -o '" +
                                  out.string() + "' '" + e.path().string() + "'";
            if (std::system(command.c_str()) != 0) {
                std::cout << "flac failed: " << command << "\n";
                std::exit(1);
            }
            size += fs::file_size(out);
        }
        return std::make_pair(Seconds(Clock::now() - start), size);
    };
    auto [flacTime, flacSize] = flacRun(false);
    auto [flacVerifyTime, flacVerifySize] = flacRun(true);
    (void)flacVerifySize;

    NoQuestions dialogs;
    spurwerk::ArchiveOptions options;
    options.flacLevel = level;
    auto start = Clock::now();
    spurwerk::ArchiveResult result = spurwerk::ArchiveProject(project, store, options, dialogs);
    double archiveTime = Seconds(Clock::now() - start);

    std::printf("flac:               %7.2f s  %10llu bytes\n", flacTime, static_cast<unsigned long long>(flacSize));
    std::printf("flac --verify:      %7.2f s\n", flacVerifyTime);
    std::printf("spurwerk archive:   %7.2f s  %10llu bytes (tar with manifest, written, decoded and checked)\n",
                archiveTime, static_cast<unsigned long long>(result.archiveBytes));
    std::printf("time ratio vs flac:          %.2f (aim <= 1.20)\n", archiveTime / flacTime);
    std::printf("time ratio vs flac --verify: %.2f\n", archiveTime / flacVerifyTime);
    std::printf("size ratio vs flac:          %.4f (aim within 1 %%)\n",
                static_cast<double>(result.archiveBytes) / static_cast<double>(flacSize));
    fs::remove_all(root);
    return 0;
}
