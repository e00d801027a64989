#include "smbconf/AtomicFile.h"

#include "smbconf/FileAttributes.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace velmora {
namespace {

// Content is written in pieces of this size; smb.conf rarely needs more
// than one.
constexpr size_t kBufferSize = 64 * 1024;

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names: a symbolic link is followed, so that a
// rewrite replaces the file it points to and the link stays a link. A path
// that cannot be resolved (a dangling link, say) stays as given; replacing
// it then fails as for any missing file.
std::string finalPath(std::string path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    path = resolved;
    free(resolved);
    return path;
}

bool writeFully(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename itself durable. The new content is already in place when
// this runs, so a failure here cannot be undone and is not reported.
void syncDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string target, Links links)
    : target_(links == Links::Follow ? finalPath(std::move(target)) : std::move(target))
{
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!temporary_.empty() && !committed_)
        unlink(temporary_.c_str());
}

// Keeps the first failure's errno; every later call fails too.
bool AtomicFile::fail()
{
    if (error_ == 0)
        error_ = errno != 0 ? errno : EIO;
    failed_ = true;
    return false;
}

bool AtomicFile::Open(const std::string& attributesFrom)
{
    std::string pattern = directoryOf(target_) + "/" + TemporaryPrefix(target_) + "XXXXXX";
    // Close-on-exec: a shell command started meanwhile by another thread
    // must not keep the file open.
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return fail();
    temporary_ = pattern;
    if (!CopyFileAttributes(attributesFrom.empty() ? target_ : attributesFrom, fd_))
        return fail();
    return true;
}

bool AtomicFile::Append(std::string_view text)
{
    if (failed_ || fd_ < 0)
        return false;
    if (buffer_.size() + text.size() < kBufferSize) {
        buffer_.append(text);
        return true;
    }
    // A large text goes straight to the file rather than through a copy.
    if (!flushBuffer())
        return false;
    return writeFully(fd_, text.data(), text.size()) || fail();
}

bool AtomicFile::flushBuffer()
{
    const bool written = writeFully(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return written || fail();
}

bool AtomicFile::Commit()
{
    if (failed_ || fd_ < 0 || !flushBuffer())
        return false;
    // Data and attributes must be on disk before the name points at them,
    // or a crash could leave an empty smb.conf behind the new name.
    const bool synced = fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail();
    committed_ = true;
    syncDirectory(directoryOf(target_));
    return true;
}

std::string TemporaryPrefix(const std::string& target)
{
    return "." + baseNameOf(target) + ".velmora-";
}

void RemoveStaleTemporaries(const std::string& target, AtomicFile::Links links)
{
    const std::string file = links == AtomicFile::Links::Follow ? finalPath(target) : target;
    const std::string directory = directoryOf(file);
    const std::string prefix = TemporaryPrefix(file);
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) == 0)
            unlinkat(dirfd(dir), name.c_str(), 0);
    }
    closedir(dir);
}

}  // namespace velmora
