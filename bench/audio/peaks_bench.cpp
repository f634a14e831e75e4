// Peak overview throughput: a project of TRACKS mono 24-bit WAV files of
// SECONDS each (default 16 x 300 s at 44.1 kHz, about 640 MB), read warm from
// the page cache, against `cat FILES > /dev/null` over the same files as the
// floor. Prints the ratio of the two throughputs (1.0 = as fast as cat);
// the aim is at least 0.8. Overviews are computed one file per worker thread,
// as the track view does. On a loaded machine the wall times drift; the CPU
// times (cat's from its rusage, the workers' summed) are printed beside them.
//
//   peaks_bench [SECONDS] [TRACKS] [FOLDER]

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "audio/peak_pyramid.h"
#include "../bench_wav.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void WriteTrack(const fs::path& file, double seconds, int track) {
    const std::uint32_t rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(file, std::ios::binary);
    const std::vector<char> header = WavHeader(frames * 3, 1, 24, rate);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::vector<char> block(3 * 44100);
    for (std::uint32_t at = 0; at < frames;) {
        const std::uint32_t n = std::min<std::uint32_t>(frames - at, 44100);
        for (std::uint32_t i = 0; i < n; ++i) {
            const double x = 0.5 * std::sin((at + i) * (110.0 + track * 20) * 6.283185307 / rate);
            const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(x * 8388607));
            for (int b = 0; b < 3; ++b) block[3 * i + static_cast<std::uint32_t>(b)] = static_cast<char>(v >> (8 * b));
        }
        out.write(block.data(), 3 * n);
        at += n;
    }
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double ChildrenCpu() {
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    auto s = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return s(use.ru_utime) + s(use.ru_stime);
}

double ThreadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 300;
    const int tracks = argc > 2 ? std::atoi(argv[2]) : 16;
    const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / "spurwerk-peaks-bench";
    fs::create_directories(folder);
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
    for (int t = 0; t < tracks; ++t) {
        const fs::path file = folder / ("TRACK" + std::to_string(t + 1) + ".WAV");
        if (!fs::exists(file) || fs::file_size(file) != 44 + static_cast<std::uintmax_t>(seconds * 44100) * 3)
            WriteTrack(file, seconds, t);
        files.push_back(file.string());
        bytes += fs::file_size(file);
    }
    std::string cat = "cat";
    for (const std::string& f : files) cat += " '" + f + "'";
    cat += " > /dev/null";
    if (std::system(cat.c_str()) != 0) return 1;  // warms the cache

    double best = 1e9, bestCat = 1e9, bestCpu = 1e9, bestCatCpu = 1e9;
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        const double childCpu = ChildrenCpu();
        if (std::system(cat.c_str()) != 0) return 1;
        bestCat = std::min(bestCat, Seconds(start));
        bestCatCpu = std::min(bestCatCpu, ChildrenCpu() - childCpu);

        start = Clock::now();
        std::atomic<std::size_t> next{0};
        std::atomic<bool> failed{false};
        std::atomic<double> cpu{0};
        const std::atomic<bool> cancel{false};
        std::vector<std::thread> pool;
        for (unsigned w = 0; w < workers; ++w)
            pool.emplace_back([&] {
                const double from = ThreadCpu();
                for (std::size_t i; (i = next++) < files.size();)
                    if (!spurwerk::ComputePeaks(files[i], cancel).peaks) failed = true;
                for (double was = cpu; !cpu.compare_exchange_weak(was, was + ThreadCpu() - from);) {
                }
            });
        for (std::thread& t : pool) t.join();
        if (failed) return 1;
        best = std::min(best, Seconds(start));
        bestCpu = std::min(bestCpu, cpu.load());
    }
    const double mb = static_cast<double>(bytes) / 1e6;
    std::printf("peaks: %d files, %.0f MB, %u worker threads\n", tracks, mb, workers);
    std::printf("cat > /dev/null   %8.3f s  %8.0f MB/s\n", bestCat, mb / bestCat);
    std::printf("peak overviews    %8.3f s  %8.0f MB/s\n", best, mb / best);
    std::printf("ratio (peaks / cat throughput): %.2f (aim >= 0.80)\n", bestCat / best);
    std::printf("CPU time: cat %.3f s (with its shell), peak overviews %.3f s (all threads)\n", bestCatCpu, bestCpu);
    return 0;
}
