#include "tests/samba/Command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

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

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv)
{
    CommandResult result;
    const int out = memfd_create("velmora-test-out", MFD_CLOEXEC);
    const int err = memfd_create("velmora-test-err", MFD_CLOEXEC);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    pid_t pid = -1;
    int status = 0;
    if (out >= 0 && err >= 0 && !argv.empty() &&
        posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = out >= 0 ? contentOf(out) : "";
    result.err = err >= 0 ? contentOf(err) : "";
    return result;
}

}  // namespace samba
