#include "tests/support/Child.h"

#include <sys/wait.h>
#include <unistd.h>

namespace testfs {

ChildOutcome RunInChild(const std::function<std::string()>& body, unsigned seconds)
{
    ChildOutcome outcome;
    int fds[2];
    if (pipe(fds) != 0) {
        outcome.text = "no pipe";
        return outcome;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (seconds > 0)
            alarm(seconds);
        const std::string text = body();
        _exit(write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    close(fds[1]);
    char chunk[4096];
    for (ssize_t got; (got = read(fds[0], chunk, sizeof chunk)) > 0;)
        outcome.text.append(chunk, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return outcome;
    outcome.exited = WIFEXITED(status);
    outcome.status = outcome.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return outcome;
}

}  // namespace testfs
