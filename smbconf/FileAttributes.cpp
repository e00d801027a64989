#include "smbconf/FileAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace velmora {
namespace {

// The names of source's extended attributes, NUL-separated; false when
// they cannot be listed. A file system without them has none.
bool attributeNames(const std::string& source, std::vector<char>& names)
{
    for (;;) {
        const ssize_t size = listxattr(source.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        names.resize(static_cast<size_t>(size));
        const ssize_t got = listxattr(source.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE)  // ERANGE: the list grew meanwhile
            return false;
    }
}

bool copyAttribute(const std::string& source, const char* name, int fd)
{
    std::vector<char> value;
    for (;;) {
        const ssize_t size = getxattr(source.c_str(), name, nullptr, 0);
        if (size < 0)
            return errno == ENODATA;  // removed meanwhile
        value.resize(static_cast<size_t>(size));
        const ssize_t got = getxattr(source.c_str(), name, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    return fsetxattr(fd, name, value.data(), value.size(), 0) == 0;
}

}  // namespace

// Owner and group first: changing them clears set-id bits, which the mode
// then restores; the extended attributes last, since a change of owner
// drops security.capability.
bool CopyFileAttributes(const std::string& source, int fd)
{
    struct stat st {};
    if (stat(source.c_str(), &st) != 0)
        return false;
    if (fchown(fd, st.st_uid, st.st_gid) != 0 || fchmod(fd, st.st_mode & 07777) != 0)
        return false;
    std::vector<char> names;
    if (!attributeNames(source, names))
        return false;
    for (size_t at = 0; at < names.size(); at += std::char_traits<char>::length(&names[at]) + 1) {
        if (!copyAttribute(source, &names[at], fd))
            return false;
    }
    return true;
}

}  // namespace velmora
