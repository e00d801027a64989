#include "smbconf/ChildRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
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
    // True with its wait status when it exits before deadline (and, when
    // giveUp >= 0, before that descriptor turns readable: its other end
    // closed); otherwise it is left for the destructor to kill.
    bool exitsBy(long long deadline, int& status, int giveUp = -1);
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

// True when fd turns readable at once (for a socket whose other end is
// closed: it reads as ended).
bool readableNow(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

// A child may close its stderr and still run: its end is awaited with the
// same deadline, in short naps.
bool Child::exitsBy(long long deadline, int& status, int giveUp)
{
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            pid = -1;
            return true;
        }
        if ((done < 0 && errno != EINTR) || nowMs() >= deadline || (giveUp >= 0 && readableNow(giveUp)))
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

// Whether the kernel reaps this process's children as they end (SIGCHLD
// ignored, or SA_NOCLDWAIT), as a CIMOM may have it: waitpid then never
// sees their exit status, and a child's pid may be reused once it ends.
bool childrenReapedByKernel()
{
    struct sigaction current {};
    return sigaction(SIGCHLD, nullptr, &current) == 0 &&
           (current.sa_handler == SIG_IGN || (current.sa_flags & SA_NOCLDWAIT) != 0);
}

// The go-between's side, between fork and _exit: it gets SIGCHLD back to
// the default for itself, runs the program as its own child, kills it at
// the deadline or when the caller gives up, and hands its wait status (-1
// when killed) over socket. callerEnd, the caller's end of it, is closed
// first: the caller's closing it must be seen. Only async-signal-safe calls.
[[noreturn]] void goBetween(pid_t parent, int errorFd, int socket, int callerEnd, int passFd,
                            long long deadline, const char* program, char* const* argv, char* const* envp)
{
    close(callerEnd);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGCHLD, &byDefault, nullptr);
    const pid_t self = getpid();
    Child child;
    child.pid = fork();
    if (child.pid == 0)
        becomeChild(self, errorFd, passFd, program, argv, envp);
    if (child.pid < 0)
        _exit(127);
    close(errorFd);  // the program's stderr ends when the program does
    // The caller closing its end (it gave up, or left by an exception)
    // makes the socket readable here: the program must go.
    int status = -1;
    if (!child.exitsBy(deadline, status, socket)) {
        kill(child.pid, SIGKILL);
        child.waitFor();
        status = -1;
    }
    while (send(socket, &status, sizeof status, MSG_NOSIGNAL) < 0 && errno == EINTR) {
    }
    _exit(0);
}

// Reads the go-between's report: the program's wait status, or false when
// none came in time.
bool readStatus(int fd, long long deadline, int& status)
{
    for (;;) {
        const long long left = deadline - nowMs();
        pollfd p{fd, POLLIN, 0};
        const int ready = left > 0 ? poll(&p, 1, static_cast<int>(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = read(fd, &status, sizeof status);
        if (got < 0 && errno == EINTR)
            continue;
        return got == static_cast<ssize_t>(sizeof status) && status != -1;
    }
}

// Where the kernel reaps our children, a go-between reports the program's
// status over a socket. The go-between is never signalled by pid (its pid
// may be reused once it ends): it kills the program itself, at the
// deadline or as soon as this end of the socket closes (on every way out
// of the call), and then ends; the call gives it a second more to report.
// Takes errorWrite, the write end of the program's stderr pipe, and closes
// it on every way out.
ChildOutcome runThroughGoBetween(int errorRead, int errorWrite, int passFd, long long deadline,
                                 const char* program, char* const* argv, char* const* envp,
                                 const std::function<void(std::string_view line)>& onErrorLine)
{
    Fd errorWriteEnd{errorWrite};
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return {};
    Fd ours{fds[0]};
    Fd theirs{fds[1]};
    const pid_t parent = getpid();
    const pid_t goBetweenPid = fork();
    if (goBetweenPid == 0)
        goBetween(parent, errorWrite, theirs.fd, ours.fd, passFd, deadline, program, argv, envp);
    if (goBetweenPid < 0)
        return {};
    close(errorWriteEnd.fd);
    errorWriteEnd.fd = -1;
    close(theirs.fd);
    theirs.fd = -1;
    constexpr long long kReportMs = 1000;
    int status = 0;
    if (!readUntilClosed(errorRead, deadline + kReportMs, onErrorLine) ||
        !readStatus(ours.fd, deadline + kReportMs, status) || !WIFEXITED(status))
        return {};
    return ChildOutcome{true, WEXITSTATUS(status)};
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
    // Too slow: the child is killed and reaped on the way out.
    const long long deadline = nowMs() + seconds * 1000LL;
    if (childrenReapedByKernel()) {
        const int errorWrite = writeEnd.fd;
        writeEnd.fd = -1;  // the go-between's path closes it
        return runThroughGoBetween(readEnd.fd, errorWrite, passFd, deadline, program.c_str(), args.data(), envp,
                                   onErrorLine);
    }
    const pid_t parent = getpid();
    Child child;
    child.pid = fork();
    if (child.pid == 0)
        becomeChild(parent, writeEnd.fd, passFd, program.c_str(), args.data(), envp);
    if (child.pid < 0)
        return {};
    close(writeEnd.fd);
    writeEnd.fd = -1;
    int status = 0;
    if (!readUntilClosed(readEnd.fd, deadline, onErrorLine) || !child.exitsBy(deadline, status) ||
        !WIFEXITED(status))
        return {};
    return ChildOutcome{true, WEXITSTATUS(status)};
}

}  // namespace velmora
