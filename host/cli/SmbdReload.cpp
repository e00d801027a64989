#include "host/cli/SmbdReload.h"

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

constexpr size_t kOutputKept = 4096;

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

// Everything the child writes until it closes the pipe; only the first
// kOutputKept bytes are kept, the rest is drained so that it never blocks.
std::string readAll(int fd)
{
    std::string text;
    char buffer[1024];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return text;
        text.append(buffer, static_cast<size_t>(std::min(n, static_cast<ssize_t>(kOutputKept - text.size()))));
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

// The first non-blank line of the output, without surrounding blanks.
std::string firstLine(const std::string& output)
{
    size_t start = output.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return "";
    const size_t end = output.find_first_of("\r\n", start);
    std::string line = output.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return line.erase(line.find_last_not_of(" \t") + 1);
}

std::string describeStatus(int status)
{
    if (status == -1)
        return "its end could not be awaited";
    if (WIFSIGNALED(status))
        return "smbcontrol was killed by signal " + std::to_string(WTERMSIG(status));
    return "smbcontrol exited with status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

ReloadOutcome reloadSmbd()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return {false, std::string("cannot run ") + kSmbcontrol + ": " + std::strerror(errno)};
    Descriptor readEnd{ends[0]}, writeEnd{ends[1]};
    SpawnActions spawn;
    posix_spawn_file_actions_addopen(&spawn.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&spawn.actions, writeEnd.fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&spawn.actions, writeEnd.fd, STDERR_FILENO);
    const char* argv[] = {"smbcontrol", "smbd", "reload-config", nullptr};
    pid_t pid = -1;
    char* const* args = const_cast<char* const*>(argv);
    const int failed = posix_spawn(&pid, kSmbcontrol, &spawn.actions, nullptr, args, environ);
    if (failed != 0)
        return {false, std::string("cannot run ") + kSmbcontrol + ": " + std::strerror(failed)};
    writeEnd.reset();
    const std::string output = readAll(readEnd.fd);
    const int status = waitFor(pid);
    if (status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {true, ""};
    const std::string said = firstLine(output);
    return {false, said.empty() ? describeStatus(status) : said + " (" + describeStatus(status) + ")"};
}

}  // namespace velmora::cli
