// Directory search against its yardstick, in one run: `spurwerk-cli search
// --wav-size --record-modi` and bare_walk (nftw + open + read of every project
// and WAV file) over the same generated card of 999 projects with 16 WAV files
// each. Prints, as ratios search / walk:
//  - CPU time (user + system) on a warm cache, median of pairs run alternately;
//  - system calls per file (counted by strace -f -c, when installed);
//  - wall time on a cold cache: before each run every file and folder of the
//    card is written back and dropped from the page cache (posix_fadvise
//    DONTNEED, which needs no root), and as root all caches with
//    /proc/sys/vm/drop_caches (the name and inode caches too);
//  - the search's peak memory on a 100,000-file card against a 100-file card.
// Usage: files_search_bench [PAIRS]  (default 9)

#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../bench_wav.h"

namespace fs = std::filesystem;

namespace {

constexpr int FilesPerProject = 18;  // PRJDATA.ZDT, EFXDATA.ZDT and 16 WAV files

void Write(const fs::path& path, const std::vector<char>& data, std::uintmax_t size) {
    {
        std::ofstream out(path, std::ios::binary);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
    }
    // The rest of a WAV file is a hole: only heads are read, and the card costs no disk.
    if (size > data.size()) fs::resize_file(path, size);
}

std::vector<char> ProjectBytes(int number) {
    std::vector<char> data(3584, 0);
    std::string name = "SONG" + std::to_string(number);
    std::copy(name.begin(), name.end(), data.begin() + 52);
    return data;
}

// `files` files: whole projects, the rest loose text files in the root.
long MakeCard(const fs::path& root, long files) {
    long projects = files / FilesPerProject;
    fs::create_directories(root);
    for (long p = 1; p <= projects; ++p) {
        char folder[16];
        std::snprintf(folder, sizeof folder, "PROJ%03ld", p);
        fs::path dir = root / folder;
        fs::create_directories(dir / "AUDIO");
        Write(dir / "PRJDATA.ZDT", ProjectBytes(static_cast<int>(p)), 0);
        Write(dir / "EFXDATA.ZDT", std::vector<char>(512, 0), 0);
        for (int w = 1; w <= 16; ++w) {
            char name[16];
            std::snprintf(name, sizeof name, "TRACK%02d.WAV", w);
            auto dataSize = static_cast<std::uint32_t>(88200 * (w + p % 7));
            std::vector<char> header = WavHeader(dataSize);
            Write(dir / "AUDIO" / name, header, header.size() + dataSize);
        }
    }
    for (long n = projects * FilesPerProject; n < files; ++n)
        Write(root / ("NOTE" + std::to_string(n) + ".TXT"), {'x'}, 0);
    return files;
}

struct Run {
    double wall = 0, cpu = 0;
    long maxRssKb = 0, blocksRead = 0;
};

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

Run Start(const std::vector<std::string>& args, const char* outputFile = "/dev/null") {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Run run;
    std::fflush(stdout);  // or the child's stdout redirection writes our pending lines once more
    double start = Now();
    pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(outputFile, "w", stdout)) _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wall = Now() - start;
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.maxRssKb = usage.ru_maxrss;
    run.blocksRead = usage.ru_inblock;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed: %s\n", args[0].c_str());
        std::exit(1);
    }
    return run;
}

// The search runs the program as the package installs it, without debug
// information: a RelWithDebInfo build carries some 60 MB of it, which a cold
// start reads in through the disk's read-ahead although it never runs.
std::string searchProgram = SPURWERK_CLI;

std::vector<std::string> Search(const fs::path& card) {
    return {searchProgram, "search", card.string(), "--wav-size", "--record-modi"};
}
std::vector<std::string> Walk(const fs::path& card) { return {SPURWERK_BARE_WALK, card.string()}; }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Writes back and drops every file's and folder's pages.
int Evict(const char* path, const struct stat*, int, struct FTW*) {
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        fdatasync(fd);
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
    return 0;
}

// Whether the kernel's name and inode caches were dropped too (as root,
// where /proc/sys/vm/drop_caches can be written).
bool droppedAllCaches = false;

void EvictCache(const fs::path& root) {
    sync();
    nftw(root.c_str(), Evict, 64, FTW_PHYS);
    std::ofstream drop("/proc/sys/vm/drop_caches");
    droppedAllCaches = static_cast<bool>(drop << "3" << std::flush);
}

struct Pairs {
    std::vector<double> walk, search, ratio;
    long walkBlocks = 0, searchBlocks = 0;  // read from the disk, of the last pair
};

// Alternates which of the two runs first, so drift hits both alike.
template <typename Measure>
Pairs RunPairs(int count, const fs::path& card, bool cold, Measure measure) {
    Pairs pairs;
    for (int i = 0; i < count; ++i) {
        double w = 0, s = 0;
        for (int k = 0; k < 2; ++k) {
            bool walkTurn = (k == 0) == (i % 2 == 0);
            if (cold) EvictCache(card);
            Run run = Start(walkTurn ? Walk(card) : Search(card));
            (walkTurn ? w : s) = measure(run);
            (walkTurn ? pairs.walkBlocks : pairs.searchBlocks) = run.blocksRead;
        }
        pairs.walk.push_back(w);
        pairs.search.push_back(s);
        pairs.ratio.push_back(s / w);
    }
    return pairs;
}

bool HaveStrace() { return std::system("strace -V >/dev/null 2>&1") == 0; }

// Calls per system call name, and "total", from strace -c.
std::map<std::string, long> CountSyscalls(const std::vector<std::string>& args, const fs::path& report) {
    std::vector<std::string> traced = {"strace", "-f", "-c", "-o", report.string(), "--"};
    traced.insert(traced.end(), args.begin(), args.end());
    Start(traced);
    std::map<std::string, long> calls;
    std::ifstream in(report);
    std::string line;
    bool table = false;
    while (std::getline(in, line)) {
        if (line.rfind("------", 0) == 0) {
            table = true;
            continue;
        }
        std::istringstream fields(line);
        std::vector<std::string> f;
        for (std::string w; fields >> w;) f.push_back(w);
        if (table && f.size() >= 5) calls[f.back()] = std::atol(f[3].c_str());
    }
    return calls;
}

}  // namespace

int main(int argc, char** argv) {
    int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    fs::path root = fs::temp_directory_path() / ("spurwerk-bench-" + std::to_string(getpid()));
    fs::path card = root / "card", small = root / "small", large = root / "large";
    std::printf("Generating the card: 999 projects x 16 WAV files ...\n");
    std::fflush(stdout);
    long files = MakeCard(card, 999 * FilesPerProject);
    const std::string stripped = (root / "spurwerk-cli").string();
    if (std::system(("\"" SPURWERK_OBJCOPY "\" --strip-debug \"" SPURWERK_CLI "\" \"" + stripped + "\"").c_str()) == 0) {
        searchProgram = stripped;
        std::printf("The search runs %s without debug information, as the package installs it.\n", SPURWERK_CLI);
    } else {
        std::printf("objcopy failed: the search runs %s with its debug information.\n", SPURWERK_CLI);
    }

    Start(Walk(card)), Start(Search(card));  // warm the cache
    Pairs cpu = RunPairs(pairs, card, false, [](const Run& r) { return r.cpu; });
    std::printf("\nwarm cache, CPU time (user + system), median of %d pairs:\n", pairs);
    std::printf("  bare walk %.1f ms, search %.1f ms, ratio %.2f (aim <= 1.20)\n", Median(cpu.walk) * 1e3,
                Median(cpu.search) * 1e3, Median(cpu.ratio));

    if (HaveStrace()) {
        auto walkCalls = CountSyscalls(Walk(card), root / "walk.strace");
        auto searchCalls = CountSyscalls(Search(card), root / "search.strace");
        double perWalk = static_cast<double>(walkCalls["total"]) / files;
        double perSearch = static_cast<double>(searchCalls["total"]) / files;
        std::printf("\nsystem calls (strace -f -c), %ld files:\n", files);
        std::printf("  bare walk %ld (%.2f per file), search %ld (%.2f per file): %.2f more per file (aim <= 1), "
                    "ratio %.2f\n",
                    walkCalls["total"], perWalk, searchCalls["total"], perSearch, perSearch - perWalk,
                    static_cast<double>(searchCalls["total"]) / walkCalls["total"]);
        for (const char* name : {"openat", "newfstatat", "fstat", "statx", "fcntl", "read", "pread64", "close",
                                 "getdents64"})
            if (walkCalls[name] || searchCalls[name])
                std::printf("  %-11s walk %7ld  search %7ld\n", name, walkCalls[name], searchCalls[name]);
    } else {
        std::printf("\nsystem calls: not counted, strace is not installed (apt-get install strace)\n");
    }

    int coldPairs = std::max(1, (pairs + 1) / 2);
    Pairs cold = RunPairs(coldPairs, card, true, [](const Run& r) { return r.wall; });
    std::printf("\ncold cache (file and folder pages dropped before each run%s), wall time, median of %d pairs:\n",
                droppedAllCaches ? ", and the kernel's name and inode caches" : "", coldPairs);
    std::printf("  bare walk %.1f ms, search %.1f ms, ratio %.2f (aim <= 1.00)\n", Median(cold.walk) * 1e3,
                Median(cold.search) * 1e3, Median(cold.ratio));
    // Wall time on a cold cache follows whatever else uses the disk; the
    // amount read from it does not.
    std::printf("  read from the disk: bare walk %ld blocks, search %ld blocks (512 bytes each)\n", cold.walkBlocks,
                cold.searchBlocks);

    MakeCard(small, 100);
    MakeCard(large, 100000);
    long smallKb = 0, largeKb = 0;
    for (int i = 0; i < 3; ++i) {
        smallKb = std::max(smallKb, Start(Search(small)).maxRssKb);
        largeKb = std::max(largeKb, Start(Search(large)).maxRssKb);
    }
    std::printf("\npeak memory of the search: %ld kB for 100 files, %ld kB for 100,000 files, ratio %.2f "
                "(aim <= 2.00)\n",
                smallKb, largeKb, static_cast<double>(largeKb) / smallKb);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
