#include "cli/Subprocess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace velmora::cli {
namespace {

// Closes a descriptor on every path out.
struct Descriptor {
    int fd = -1;
    ~Descriptor() { reset(); }
    void reset()
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
};

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
};

// Everything the child writes until it closes the pipe, the first keep
// bytes of it kept.
std::string readAll(int fd, size_t keep)
{
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return text;
        text.append(buffer, std::min(static_cast<size_t>(n), keep - text.size()));
    }
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return status;
}

}  // namespace

ProgramRun runProgram(const char* path, const std::vector<std::string>& argv, bool withErrors, size_t keep)
{
    ProgramRun run;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        run.failure = std::strerror(errno);
        return run;
    }
    Descriptor readEnd{ends[0]}, writeEnd{ends[1]};
    SpawnActions spawn;
    posix_spawn_file_actions_addopen(&spawn.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&spawn.actions, writeEnd.fd, STDOUT_FILENO);
    if (withErrors)
        posix_spawn_file_actions_adddup2(&spawn.actions, writeEnd.fd, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path, &spawn.actions, nullptr, args.data(), environ);
    if (failed != 0) {
        run.failure = std::strerror(failed);
        return run;
    }
    run.started = true;
    writeEnd.reset();
    run.output = readAll(readEnd.fd, keep);
    run.status = waitFor(pid);
    return run;
}

std::string describeStatus(int status)
{
    if (status == -1)
        return "could not be awaited";
    if (WIFSIGNALED(status))
        return "was killed by signal " + std::to_string(WTERMSIG(status));
    return "exited with status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace velmora::cli
