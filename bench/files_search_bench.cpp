// Directory search speed: `spurwerk-cli search` with WAV sizes and record modes
// over a synthetic card of 999 projects with 16 WAV files each, against a walk
// of the same tree that only opens every file the search reads and reads its
// first 64 bytes. Also the search's peak memory for the same number of WAV
// files spread over fewer, fuller projects.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::vector<char> ProjectBytes(int number) {
    std::vector<char> data(3584, 0);
    std::string name = "SONG" + std::to_string(number);
    std::copy(name.begin(), name.end(), data.begin() + 52);
    return data;
}

std::vector<char> WavBytes(std::uint32_t dataSize) {
    std::vector<char> b;
    auto text = [&](const char* s) { b.insert(b.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<char>(v));
        b.push_back(static_cast<char>(v >> 8));
    };
    text("RIFF"), u32(36 + dataSize), text("WAVE"), text("fmt "), u32(16), u16(1), u16(1), u32(44100),
        u32(88200), u16(2), u16(16), text("data"), u32(dataSize);
    b.resize(b.size() + dataSize, 0);
    return b;
}

void Write(const fs::path& path, const std::vector<char>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

void MakeCard(const fs::path& root, int projects, int wavsPerProject) {
    for (int p = 1; p <= projects; ++p) {
        char folder[16];
        std::snprintf(folder, sizeof folder, "PROJ%03d", p);
        fs::path dir = root / folder;
        fs::create_directories(dir / "AUDIO");
        Write(dir / "PRJDATA.ZDT", ProjectBytes(p));
        Write(dir / "EFXDATA.ZDT", std::vector<char>(512, 0));
        for (int w = 1; w <= wavsPerProject; ++w) {
            char name[16];
            std::snprintf(name, sizeof name, "TRACK%02d.WAV", w);
            Write(dir / "AUDIO" / name, WavBytes(static_cast<std::uint32_t>(882 * (w + p % 7))));
        }
    }
}

// The baseline: the same walk, reading 64 bytes of every project and WAV file.
long BaselineWalk(const fs::path& dir) {
    long opened = 0;
    char buffer[64];
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            if (name[0] != '.') opened += BaselineWalk(entry.path());
            continue;
        }
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        bool project = upper.find("PRJ") != std::string::npos && upper.find(".ZDT") != std::string::npos;
        bool wav = upper.size() > 4 && upper.compare(upper.size() - 4, 4, ".WAV") == 0;
        if (!project && !wav) continue;
        std::FILE* f = std::fopen(entry.path().string().c_str(), "rb");
        if (!f) continue;
        opened += std::fread(buffer, 1, sizeof buffer, f) > 0;
        std::fclose(f);
    }
    return opened;
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct SearchRun {
    double seconds = 0;
    long maxRssKb = 0;
};

SearchRun RunSearch(const fs::path& root) {
    SearchRun run;
#ifndef _WIN32
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(SPURWERK_CLI, SPURWERK_CLI, "search", root.c_str(), "--wav-size", "--record-modi",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    run.seconds = Seconds(start);
    run.maxRssKb = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::cerr << "search failed\n";
#else
    auto start = std::chrono::steady_clock::now();
    std::string command = std::string("\"") + SPURWERK_CLI + "\" search \"" + root.string() +
                          "\" --wav-size --record-modi > NUL";
    if (std::system(command.c_str()) != 0) std::cerr << "search failed\n";
    run.seconds = Seconds(start);
#endif
    return run;
}

template <typename F>
double Best(int times, F f) {
    double best = 1e9;
    for (int i = 0; i < times; ++i) best = std::min(best, f());
    return best;
}

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / ("spurwerk-bench-" + std::to_string(std::rand()));
    fs::path card = root / "card", wide = root / "wide";
    std::cout << "Generating 999 projects x 16 WAV files ..." << std::endl;
    MakeCard(card, 999, 16);
    MakeCard(wide, 250, 64);

    BaselineWalk(card);  // warm the cache
    RunSearch(card);
    double baseline = Best(3, [&] {
        auto start = std::chrono::steady_clock::now();
        BaselineWalk(card);
        return Seconds(start);
    });
    SearchRun search;
    search.seconds = Best(3, [&] {
        SearchRun run = RunSearch(card);
        search.maxRssKb = std::max(search.maxRssKb, run.maxRssKb);
        return run.seconds;
    });
    RunSearch(wide);
    SearchRun wideRun = RunSearch(wide);

    std::printf("baseline walk (open + read 64 bytes): %.3f s\n", baseline);
    std::printf("spurwerk-cli search --wav-size --record-modi: %.3f s (process start included)\n", search.seconds);
    std::printf("ratio: %.2f (target <= 1.5)\n", search.seconds / baseline);
    std::printf("peak memory: %ld kB for 999 x 16 WAVs, %ld kB for 250 x 64 WAVs\n", search.maxRssKb,
                wideRun.maxRssKb);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
