#include "process.h"

#include <filesystem>
#include <memory>
#include <thread>

#include "test_files.h"

#ifdef _WIN32
#include <windows.h>

#include "io/path_text.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace spurwerk::testing {

#ifdef _WIN32
namespace {

// One argument as the C runtime's command-line parser reads it back.
std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

HANDLE InheritableFile(const std::filesystem::path& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    TempDir dir;
    WriteBytes(dir / "in", Bytes(options.input.begin(), options.input.end()));
    const std::filesystem::path exe = PathFromText(program);
    std::wstring command = QuoteArgument(exe.wstring());
    for (const auto& a : arguments) command += L" " + QuoteArgument(PathFromText(a).wstring());

    HANDLE out = InheritableFile(dir / "out", true);
    HANDLE err = InheritableFile(dir / "err", true);
    HANDLE in = InheritableFile(dir / "in", false);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    ProcessResult result;
    if (CreateProcessW(exe.wstring().c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    CloseHandle(in);
    // Text-mode output ends its lines with CR LF on Windows; the tests compare lines.
    result.out = ReadText(dir / "out");
    result.err = ReadText(dir / "err");
    std::erase(result.out, '\r');
    std::erase(result.err, '\r');
    return result;
}
#else
namespace {

// The child's exit code; one still running after `timeoutSeconds` is killed (-2).
int Reap(pid_t pid, int timeoutSeconds) {
    int status = 0, waited = 0;
    for (; waited < timeoutSeconds * 100 && waitpid(pid, &status, WNOHANG) == 0; ++waited) usleep(10000);
    if (waited < timeoutSeconds * 100) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -2;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    TempDir dir;
    WriteBytes(dir / "in", Bytes(options.input.begin(), options.input.end()));
    std::string outPath = (dir / "out").string(), errPath = (dir / "err").string(), inPath = (dir / "in").string();
    pid_t pid = fork();
    if (pid == 0) {
        int out = options.stdoutPath.empty() ? open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                             : open(options.stdoutPath.c_str(), O_WRONLY);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open(inPath.c_str(), O_RDONLY);
        dup2(out, 1);
        dup2(err, 2);
        dup2(in, 0);
        if (options.closeStdout) close(1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return {Reap(pid, options.timeoutSeconds), ReadText(outPath), ReadText(errPath)};
}
#endif

#ifdef _WIN32
std::vector<ProcessResult> RunConcurrently(const std::string& program,
                                           const std::vector<std::vector<std::string>>& argumentLists,
                                           int timeoutSeconds) {
    std::vector<ProcessResult> results(argumentLists.size());
    std::vector<std::thread> threads;
    ProcessOptions options;
    options.timeoutSeconds = timeoutSeconds;
    for (std::size_t i = 0; i < argumentLists.size(); ++i)
        threads.emplace_back([&, i] { results[i] = RunProcess(program, argumentLists[i], options); });
    for (std::thread& t : threads) t.join();
    return results;
}
#else
// posix_spawn: no code of ours runs between fork and exec, so the children
// start as fast as the system allows and nothing waits for a lock of the parent.
std::vector<ProcessResult> RunConcurrently(const std::string& program,
                                           const std::vector<std::vector<std::string>>& argumentLists,
                                           int timeoutSeconds) {
    TempDir dir;
    std::vector<pid_t> pids;
    for (std::size_t i = 0; i < argumentLists.size(); ++i) {
        std::string out = (dir / (std::to_string(i) + ".out")).string();
        std::string err = (dir / (std::to_string(i) + ".err")).string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : argumentLists[i]) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = -1;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        pids.push_back(pid);
    }
    std::vector<ProcessResult> results(pids.size());
    for (std::size_t i = 0; i < pids.size(); ++i) {
        if (pids[i] < 0) continue;  // exit code -1: it never started
        results[i] = {Reap(pids[i], timeoutSeconds), ReadText(dir / (std::to_string(i) + ".out")),
                      ReadText(dir / (std::to_string(i) + ".err"))};
    }
    return results;
}
#endif

}  // namespace spurwerk::testing
