// Copy speed against the WAV count: `spurwerk-cli copy` of a project with N
// and 4N small WAV files, each against a plain recursive copy of the same
// folder in the same run. A copy that looks at the target folder once per
// file grows with the square of the count; the ratio to the plain copy then
// grows about fourfold from N to 4N instead of staying put.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::vector<char>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

// A header-only mono 16-bit WAV: the copy's cost per file, not per byte, counts here.
std::vector<char> WavBytes() {
    std::vector<char> b;
    auto text = [&](const char* s) { b.insert(b.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<char>(v));
        b.push_back(static_cast<char>(v >> 8));
    };
    text("RIFF"), u32(36), text("WAVE"), text("fmt "), u32(16), u16(1), u16(1), u32(44100), u32(88200), u16(2),
        u16(16), text("data"), u32(0);
    return b;
}

void MakeProject(const fs::path& dir, int wavs) {
    fs::create_directories(dir / "AUDIO");
    Write(dir / "PRJDATA.ZDT", std::vector<char>(3584, 0));
    Write(dir / "EFXDATA.ZDT", std::vector<char>(512, 0));
    const std::vector<char> wav = WavBytes();
    for (int w = 0; w < wavs; ++w) {
        char name[16];
        std::snprintf(name, sizeof name, "T%07d.WAV", w);
        Write(dir / "AUDIO" / name, wav);
    }
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeCli(const fs::path& source, const fs::path& target) {
    fs::remove_all(target);
    std::string command = std::string("\"") + SPURWERK_CLI + "\" copy \"" + source.string() + "\" \"" +
                          target.string() + "\" --yes";
#ifdef _WIN32
    command += " > NUL";
#else
    command += " > /dev/null";
#endif
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) std::cerr << "copy failed\n";
    return Seconds(start);
}

double TimePlain(const fs::path& source, const fs::path& target) {
    fs::remove_all(target);
    auto start = std::chrono::steady_clock::now();
    fs::copy(source, target, fs::copy_options::recursive);
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    const int small = argc > 1 ? std::atoi(argv[1]) : 2000;
    fs::path root = fs::temp_directory_path() / ("spurwerk-copy-bench-" + std::to_string(std::rand()));
    double ratios[2] = {0, 0};
    int counts[2] = {small, small * 4};
    for (int i = 0; i < 2; ++i) {
        fs::path source = root / ("PROJ00" + std::to_string(i + 1));
        MakeProject(source, counts[i]);
        double plain = 1e9, cli = 1e9;
        for (int run = 0; run < 3; ++run) {
            plain = std::min(plain, TimePlain(source, root / "plain"));
            cli = std::min(cli, TimeCli(source, root / "PROJ100"));
        }
        ratios[i] = cli / plain;
        std::printf("%6d WAVs: plain copy %.3f s, spurwerk-cli copy %.3f s, ratio %.2f\n", counts[i], plain, cli,
                    ratios[i]);
    }
    std::printf("growth of the ratio from %d to %d WAVs: %.2f (linear: about 1; one listing per file: about 4)\n",
                counts[0], counts[1], ratios[1] / ratios[0]);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
