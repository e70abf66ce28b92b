#include "tests/RunProgram.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

// The environment a started program inherits.
void SetLocaleOfChildren(const char* locale) {
#ifdef _WIN32
    _putenv_s("LC_ALL", locale);
    _putenv_s("LANGUAGE", "");
#else
    setenv("LC_ALL", locale, 1);
    unsetenv("LANGUAGE");
#endif
}

} // namespace

#ifdef _WIN32

#include "text/Windows.h"

#include <thread>

namespace tinsora::test {

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        throw std::runtime_error("an argument is not UTF-8");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), n);
    return wide;
}

// Quotes one argument so that the C runtime's command-line parser gives it
// back unchanged: backslashes count only before a double quote.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    if (!line.empty())
        line += L' ';
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE get() const { return h_; }
    HANDLE* out() { return &h_; }
    void Close() {
        if (h_ && h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// A pipe whose one end the child inherits.
void MakePipe(Handle& read, Handle& write, bool childReads) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    if (!CreatePipe(read.out(), write.out(), &sa, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(childReads ? write.get() : read.get(), HANDLE_FLAG_INHERIT, 0);
}

void ReadAll(HANDLE h, std::string& into) {
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0)
        into.append(buffer, n);
}

} // namespace

ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input, Output output, const char* locale) {
    SetLocaleOfChildren(locale);
    if (output == Output::DevFull)
        throw std::logic_error("Windows has no /dev/full");
    Handle inRead, inWrite, outRead, outWrite, errRead, errWrite;
    MakePipe(inRead, inWrite, true);
    MakePipe(errRead, errWrite, false);
    if (output == Output::Captured)
        MakePipe(outRead, outWrite, false);

    const std::wstring program = Wide(path);
    std::wstring line;
    AppendQuoted(line, program);
    for (const auto& a : args)
        AppendQuoted(line, Wide(a));

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = inRead.get();
    si.hStdOutput = outWrite.get(); // none when closed
    si.hStdError = errWrite.get();
    PROCESS_INFORMATION pi{};
    // Under Wine on a busy machine a start now and then fails for a moment;
    // a few tries tell that apart from a program that cannot start.
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           nullptr, &si, &pi)) {
            error = 0;
            break;
        }
        error = GetLastError();
        Sleep(200);
    }
    if (error != 0)
        throw std::runtime_error("cannot start " + path + " (error " + std::to_string(error) + ")");
    Handle process(pi.hProcess);
    Handle thread(pi.hThread);
    inRead.Close();
    outWrite.Close();
    errWrite.Close();

    ProgramResult result;
    std::thread outReader;
    if (output == Output::Captured)
        outReader = std::thread([&] { ReadAll(outRead.get(), result.out); });
    std::thread errReader([&] { ReadAll(errRead.get(), result.err); });
    std::size_t written = 0;
    while (written < input.size()) {
        DWORD n = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(input.size() - written, 1 << 16));
        if (!WriteFile(inWrite.get(), input.data() + written, chunk, &n, nullptr))
            break; // the program stopped reading
        written += n;
    }
    inWrite.Close();
    if (outReader.joinable())
        outReader.join();
    errReader.join();

    WaitForSingleObject(process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    // A crash ends the process with an exception code (0xC0000005 and the like).
    result.status = code >= 0xC0000000u ? -1 : static_cast<int>(code);
    return result;
}

} // namespace tinsora::test

#else

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tinsora::test {

namespace {

// Both ends close on exec; the child gets its ends as 0, 1 and 2 by dup2,
// which clears the flag on the copies.
void MakePipe(int fds[2]) {
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    for (int k = 0; k < 2; ++k)
        fcntl(fds[k], F_SETFD, FD_CLOEXEC);
}

} // namespace

ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::string& input, Output output, const char* locale) {
    SetLocaleOfChildren(locale);
    // A program that exits before reading its input must not end the tests.
    static const bool ignoreBrokenPipe = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
    (void)ignoreBrokenPipe;

    int in[2], out[2], err[2];
    MakePipe(in);
    MakePipe(out);
    MakePipe(err);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    if (output == Output::Captured)
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    else if (output == Output::Closed)
        posix_spawn_file_actions_addclose(&actions, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The program starts with the signals' usual actions, as from a shell: the
    // tests' own ignored SIGPIPE is not handed on.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        for (int fd : {in[1], out[0], err[0]})
            close(fd);
        throw std::runtime_error("cannot start " + path + ": " + std::strerror(spawned));
    }

    ProgramResult result;
    std::size_t written = 0;
    if (input.empty())
        close(in[1]), in[1] = -1;
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
    int open = 2;
    char buffer[65536];
    while (open > 0 || fds[2].fd >= 0) {
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd >= 0 && (fds[k].revents & (POLLIN | POLLHUP))) {
                const ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    close(fds[k].fd);
                    fds[k].fd = -1;
                    --open;
                } else {
                    (k == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
                }
            }
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(fds[2].fd, input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n <= 0 || written == input.size()) {
                close(fds[2].fd);
                fds[2].fd = -1;
            }
        }
    }
    for (const pollfd& p : fds)
        if (p.fd >= 0)
            close(p.fd);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace tinsora::test

#endif
