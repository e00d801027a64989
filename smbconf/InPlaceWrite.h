#ifndef VELMORA_SMBCONF_INPLACEWRITE_H
#define VELMORA_SMBCONF_INPLACEWRITE_H

#include <string>
#include <string_view>

namespace velmora {

// Rewrites the regular file at path in place with content, for where the
// atomic rename cannot be used: a bind-mount target, a file with several
// hard links, a directory this process may not create files in. The file
// keeps its inode, so its links, mode, owner and every attribute stay. The
// space is reserved first (where the file system can), then every write is
// checked, the file cut to its new length and synced. On a failure the
// file gets backupPath's content back the same way. Readers may see a
// half-written file meanwhile: that is the price of not renaming. Only
// under the edit lock, after the backup. True when content is in place.
bool RewriteInPlace(const std::string& path, std::string_view content, const char* backupPath);

}  // namespace velmora

#endif
