#include "cli/ConfDiff.h"

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/ShareLookup.h"
#include "cli/Subprocess.h"

namespace velmora::cli {
namespace {

// An anonymous in-memory file holding text, left open across exec so that
// diff reads it as /dev/fd/N; nothing is written to any file system.
int textFile(const std::string& text)
{
    const int fd = memfd_create("smb.conf", 0);
    if (fd < 0)
        return -1;
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            close(fd);
            return -1;
        }
        done += static_cast<size_t>(n);
    }
    return fd;
}

}  // namespace

bool smbConfDiff(const std::string& newText, std::string& diff, std::string& error)
{
    const int fd = textFile(newText);
    if (fd < 0) {
        error = std::string("cannot hold the new text for diff: ") + std::strerror(errno);
        return false;
    }
    const std::string label = std::string(kSmbConf).substr(1);
    const ProgramRun run = runProgram(kDiff, {"diff", "-u", "-N", "--label", "a/" + label, "--label", "b/" + label,
                                              kSmbConf, "/dev/fd/" + std::to_string(fd)}, false);
    close(fd);
    if (!run.started) {
        error = std::string("cannot run ") + kDiff + ": " + run.failure;
        return false;
    }
    // diff exits 0 for the same text, 1 for a difference, 2 for trouble.
    if (run.status == -1 || !WIFEXITED(run.status) || WEXITSTATUS(run.status) > 1) {
        error = std::string(kDiff) + " " + describeStatus(run.status);
        return false;
    }
    diff = run.output;
    return true;
}

}  // namespace velmora::cli
