#include "smbconf/ConfRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora {
namespace {

thread_local ConfStatus lastStatus;

int fail(ConfState state, int error)
{
    lastStatus.state = state;
    lastStatus.error = error;
    if (state == ConfState::Unreadable)
        syslog(LOG_ERR, "%s", lastStatus.Message().c_str());
    return -1;
}

}  // namespace

std::string ConfStatus::Reason() const
{
    return error != 0 ? std::strerror(error) : "not a regular file";
}

std::string ConfStatus::Message() const
{
    return "Cannot read " + path + ": " + Reason();
}

int OpenConf(const char* path, bool forWriting)
{
    lastStatus = ConfStatus{ConfState::Readable, 0, path};
    // O_NONBLOCK: opening a FIFO must not wait for a writer. It is dropped
    // once the file is known to be regular, where it means nothing anyway.
    const int fd = open(path, (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(errno == ENOENT ? ConfState::Missing : ConfState::Unreadable, errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : 0;
        close(fd);
        return fail(ConfState::Unreadable, error);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

void NoteReadFailure(int error)
{
    fail(ConfState::Unreadable, error);
}

const ConfStatus& LastConfStatus()
{
    return lastStatus;
}

bool ReadConf(const char* path, std::string& content, bool forWriting)
{
    content.clear();
    const int fd = OpenConf(path, forWriting);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) == 0)
        content.reserve(static_cast<size_t>(st.st_size));
    char chunk[65536];
    ssize_t got = 0;
    while ((got = read(fd, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        content.append(chunk, static_cast<size_t>(got));
    }
    const int error = errno;
    close(fd);
    if (got == 0)
        return true;
    NoteReadFailure(error);
    return false;
}

}  // namespace velmora
