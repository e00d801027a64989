#include "smbconf/ChildRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {
namespace {

// A child process that is killed and reaped unless it was reaped already.
class Child {
public:
    ~Child()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitFor();
        }
    }
    // Its wait status; the child is gone afterwards.
    int waitFor()
    {
        int status = -1;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        pid = -1;
        return status;
    }
    // True with its wait status when it exits before deadline; otherwise
    // it is left for the destructor to kill.
    bool exitsBy(long long deadline, int& status);
    pid_t pid = -1;
};

// Closes a descriptor on every way out.
struct Fd {
    ~Fd()
    {
        if (fd >= 0)
            close(fd);
    }
    int fd = -1;
};

long long nowMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

// A child may close its stderr and still run: its end is awaited with the
// same deadline, in short naps.
bool Child::exitsBy(long long deadline, int& status)
{
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return true;
        }
        if ((done < 0 && errno != EINTR) || nowMs() >= deadline)
            return false;
        const timespec nap{0, 1000000};
        nanosleep(&nap, nullptr);
    }
}

// The child's side, between fork and exec: only async-signal-safe calls.
[[noreturn]] void becomeChild(pid_t parent, int errorFd, int passFd, const char* program,
                              char* const* argv, char* const* envp)
{
    // Dies with the thread that started it, even one killed with SIGKILL;
    // a parent already gone means the signal was missed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(errorFd, 2) < 0)
        _exit(127);
    if (passFd >= 0 && (passFd == 3 ? fcntl(3, F_SETFD, 0) : dup2(passFd, 3)) < 0)
        _exit(127);
    execve(program, argv, envp);
    _exit(127);
}

// Feeds whole lines of text to onLine and keeps the unfinished rest.
void takeLines(std::string& text, const std::function<void(std::string_view)>& onLine)
{
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        onLine(std::string_view(text).substr(start, end - start));
    text.erase(0, start);
}

// Reads the child's stderr until it closes or the deadline passes; true
// when it closed in time.
bool readUntilClosed(int fd, long long deadline, const std::function<void(std::string_view)>& onLine)
{
    std::string pending;
    char chunk[4096];
    for (;;) {
        const long long left = deadline - nowMs();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        pending.append(chunk, static_cast<size_t>(got));
        takeLines(pending, onLine);
    }
    if (!pending.empty())
        onLine(pending);
    return true;
}

}  // namespace

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& argv, int passFd,
                      int seconds, const std::function<void(std::string_view line)>& onErrorLine)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    char path[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
    char locale[] = "LC_ALL=C";
    char* envp[] = {path, locale, nullptr};
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return {};
    Fd readEnd{fds[0]};
    Fd writeEnd{fds[1]};
    const pid_t parent = getpid();
    Child child;
    child.pid = fork();
    if (child.pid == 0)
        becomeChild(parent, writeEnd.fd, passFd, program.c_str(), args.data(), envp);
    if (child.pid < 0)
        return {};
    close(writeEnd.fd);
    writeEnd.fd = -1;
    // Too slow: the child is killed and reaped on the way out.
    const long long deadline = nowMs() + seconds * 1000LL;
    int status = 0;
    if (!readUntilClosed(readEnd.fd, deadline, onErrorLine) || !child.exitsBy(deadline, status) ||
        !WIFEXITED(status))
        return {};
    return ChildOutcome{true, WEXITSTATUS(status)};
}

}  // namespace velmora
