#include "tests/samba/Command.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace samba {
namespace {

// The program's output goes to anonymous memory files, so that it never
// blocks on a full pipe while this process waits for it.
std::string contentOf(int fd)
{
    std::string text;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(fd);
    return text;
}

// The child's side: only async-signal-safe calls between fork and exec, so
// the argument vector is built before the fork.
[[noreturn]] void execChild(char* const* args, int outFd, int errFd)
{
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull < 0 || dup2(devNull, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0)
        _exit(127);
    execvp(args[0], args);
    _exit(127);
}

// The exit status of pid, or -1 when it did not exit by itself before the
// deadline (it is killed then).
int exitCodeOf(pid_t pid, std::chrono::steady_clock::time_point deadline)
{
    int status = 0;
    bool killed = false;
    for (pid_t done = 0; done != pid;) {
        done = waitpid(pid, &status, WNOHANG);
        if (done < 0 && errno != EINTR)
            return -1;
        if (done == 0 && !killed && std::chrono::steady_clock::now() > deadline)
            killed = kill(pid, SIGKILL) == 0;
        if (done == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, int timeoutMs)
{
    CommandResult result;
    const int out = memfd_create("velmora-test-out", MFD_CLOEXEC);
    const int err = memfd_create("velmora-test-err", MFD_CLOEXEC);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = out >= 0 && err >= 0 && !argv.empty() ? fork() : -1;
    if (pid == 0)
        execChild(args.data(), out, err);
    if (pid > 0)
        result.exitCode = exitCodeOf(pid, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs));
    result.out = out >= 0 ? contentOf(out) : "";
    result.err = err >= 0 ? contentOf(err) : "";
    return result;
}

}  // namespace samba
