#include "process.h"

#include <filesystem>

#include "test_files.h"

#ifdef _WIN32
#include <windows.h>

#include "io/path_text.h"
#else
#include <fcntl.h>
#include <signal.h>
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
    int status = 0, waited = 0;
    for (; waited < options.timeoutSeconds * 100 && waitpid(pid, &status, WNOHANG) == 0; ++waited) usleep(10000);
    bool hung = waited >= options.timeoutSeconds * 100;
    if (hung) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return {hung ? -2 : WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(outPath), ReadText(errPath)};
}
#endif

}  // namespace spurwerk::testing
