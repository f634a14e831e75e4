#include "process.h"

#include <filesystem>

#include "test_files.h"

#ifdef _WIN32
#include <cstdlib>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace spurwerk::testing {

#ifdef _WIN32
namespace {
std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}
}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
    TempDir dir;
    std::string command = "\"" + Quote(program);
    for (const auto& a : arguments) command += " " + Quote(a);
    command += " >" + Quote((dir / "out").string()) + " 2>" + Quote((dir / "err").string()) + "\"";
    ProcessResult result;
    result.exitCode = std::system(command.c_str());
    result.out = ReadText(dir / "out");
    result.err = ReadText(dir / "err");
    return result;
}
#else
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
    TempDir dir;
    std::string outPath = (dir / "out").string(), errPath = (dir / "err").string();
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        dup2(out, 1);
        dup2(err, 2);
        dup2(in, 0);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    ProcessResult result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    return result;
}
#endif

}  // namespace spurwerk::testing
