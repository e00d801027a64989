#include "smbconf/InPlaceWrite.h"

#include <fcntl.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "smbconf/ConfRead.h"

namespace velmora {
namespace {

// Reserves size bytes without changing the file's length; a file system
// that cannot reserve goes on (the writes are still checked).
bool reserve(int fd, size_t size)
{
    if (size == 0 || fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
}

bool overwrite(int fd, std::string_view content)
{
    off_t at = 0;
    while (static_cast<size_t>(at) < content.size()) {
        const ssize_t written = pwrite(fd, content.data() + at, content.size() - static_cast<size_t>(at), at);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        at += written;
    }
    return ftruncate(fd, at) == 0 && fsync(fd) == 0;
}

}  // namespace

bool RewriteInPlace(const std::string& path, std::string_view content, const char* backupPath)
{
    const int fd = OpenConf(path.c_str(), true);
    if (fd < 0)
        return false;
    if (!reserve(fd, content.size())) {
        close(fd);
        return false;  // nothing written yet
    }
    if (overwrite(fd, content)) {
        close(fd);
        return true;
    }
    const int error = errno;
    std::string old;
    // The old content lies in blocks the file already had, so writing it
    // back needs no new space.
    const bool restored = ReadConf(backupPath, old) && overwrite(fd, old);
    close(fd);
    syslog(LOG_ERR, "Cannot rewrite %s in place (%s); %s", path.c_str(), std::strerror(error),
           restored ? "restored from the backup" : "RESTORING FROM THE BACKUP FAILED");
    return false;
}

}  // namespace velmora
