#include "smbconf/Backup.h"

#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/Paths.h"
#include "smbconf/AtomicFile.h"
#include "smbconf/ConfRead.h"

namespace velmora {
namespace {

// Copies the open file fd into file; false on a read or write failure.
bool copyInto(int fd, AtomicFile& file)
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!file.Append(std::string_view(chunk, static_cast<size_t>(got))))
            return false;
    }
}

}  // namespace

bool MakeSmbConfBackup()
{
    const int fd = OpenConf(kSmbConfPath);
    if (fd < 0)
        return false;
    // The attributes come from the file smb.conf names, as the copy does.
    char* source = realpath(kSmbConfPath, nullptr);
    const std::string from = source != nullptr ? source : kSmbConfPath;
    free(source);
    AtomicFile backup(kSmbConfBackupPath, AtomicFile::Links::Replace);
    const bool done = backup.Open(from) && copyInto(fd, backup) && backup.Commit();
    close(fd);
    if (!done)
        syslog(LOG_ERR, "Cannot back up %s to %s: %s", kSmbConfPath, kSmbConfBackupPath,
               std::strerror(backup.Error() != 0 ? backup.Error() : EIO));
    return done;
}

}  // namespace velmora
