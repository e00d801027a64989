#include "tests/samba/Command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

namespace samba {
namespace {

using Clock = std::chrono::steady_clock;

// Closes both ends of a pipe on every path out of runCommand.
struct Pipe {
    int fd[2] = {-1, -1};
    bool open() { return pipe2(fd, O_CLOEXEC) == 0; }
    void closeEnd(int i)
    {
        if (fd[i] >= 0)
            close(fd[i]);
        fd[i] = -1;
    }
    ~Pipe()
    {
        closeEnd(0);
        closeEnd(1);
    }
};

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

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads both pipes until the program closes them or the deadline passes;
// false on the deadline.
bool drain(int outFd, int errFd, CommandResult& result, Clock::time_point deadline)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const int ready = poll(fds, 2, remainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

// Waits for the program to end; one that outlives the deadline (it may have
// closed its output and gone on) is killed first. Returns its wait status.
int reap(pid_t pid, Clock::time_point deadline, CommandResult& result)
{
    int status = 0;
    while (!result.timedOut) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            return status;
        if (remainingMs(deadline) == 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
        } else {
            usleep(5000);
        }
    }
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, int timeoutMs)
{
    CommandResult result;
    Pipe out;
    Pipe err;
    if (argv.empty() || !out.open() || !err.open())
        return result;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0)
        execChild(args.data(), out.fd[1], err.fd[1]);
    out.closeEnd(1);
    err.closeEnd(1);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    if (!drain(out.fd[0], err.fd[0], result, deadline)) {
        result.timedOut = true;
        kill(pid, SIGKILL);
    }
    const int status = reap(pid, deadline, result);
    if (!result.timedOut && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

bool haveProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

}  // namespace samba
