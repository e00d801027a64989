#include "tests/hardening/ChildRun.h"

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace hardening {
namespace {

constexpr int kFileAccessCapabilities[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};

// Without libcap: the raw capget/capset calls with the 64-bit layout.
bool dropFileAccess()
{
    for (int capability : kFileAccessCapabilities) {
        if (prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            return false;
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, sets) != 0)
        return false;
    for (int capability : kFileAccessCapabilities) {
        const unsigned bit = 1u << (capability % 32);
        sets[capability / 32].effective &= ~bit;
        sets[capability / 32].permitted &= ~bit;
        sets[capability / 32].inheritable &= ~bit;
    }
    return syscall(SYS_capset, &header, sets) == 0;
}

void writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<size_t>(written));
    }
}

[[noreturn]] void runChild(int out, const std::function<std::string()>& body, FileAccess access)
{
    if (access == FileAccess::Dropped && !dropFileAccess()) {
        writeAll(out, "child failed: cannot drop the file access capabilities");
        _exit(1);
    }
    writeAll(out, body());
    close(out);
    _exit(0);
}

std::string readAll(int fd)
{
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(chunk, static_cast<size_t>(got));
    }
}

}  // namespace

std::string RunInChild(const std::function<std::string()>& body, FileAccess access)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "child failed: no pipe";
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return "child failed: no fork";
    }
    if (pid == 0) {
        close(fds[0]);
        runChild(fds[1], body, access);
    }
    close(fds[1]);
    const std::string text = readAll(fds[0]);
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child failed with status " + std::to_string(status) + ": " + text;
    return text;
}

}  // namespace hardening
