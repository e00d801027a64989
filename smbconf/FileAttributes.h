#ifndef VELMORA_SMBCONF_FILEATTRIBUTES_H
#define VELMORA_SMBCONF_FILEATTRIBUTES_H

#include <string>

namespace velmora {

// Gives the open file fd the attributes of the file at source (a symbolic
// link is followed): owner, group, mode, and every extended attribute —
// POSIX ACLs (system.posix_acl_*) and security labels (security.*) are
// extended attributes too. False when any of them cannot be read or set: a
// file that would lose an attribute must not replace the original.
bool CopyFileAttributes(const std::string& source, int fd);

}  // namespace velmora

#endif
