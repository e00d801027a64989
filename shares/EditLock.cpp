#include "shares/EditLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "common/Paths.h"
#include "smbconf/AtomicFile.h"

namespace velmora {

EditLock::EditLock()
{
    // Close-on-exec, so that the backup's copy command does not inherit the
    // descriptor and keep the lock after this process has let go of it.
    const int fd = open(kSmbConfDir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    int locked = 0;
    do {
        locked = flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        close(fd);
        return;
    }
    fd_ = fd;
    RemoveStaleTemporaries(kSmbConfPath);
}

// Closing the descriptor releases the lock.
EditLock::~EditLock()
{
    if (fd_ >= 0)
        close(fd_);
}

}  // namespace velmora
