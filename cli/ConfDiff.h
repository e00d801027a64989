#ifndef VELMORA_CLI_CONFDIFF_H
#define VELMORA_CLI_CONFDIFF_H

#include <string>

namespace velmora::cli {

inline constexpr const char* kDiff = "/usr/bin/diff";

// The unified diff from the current /etc/samba/smb.conf to newText, as
// `diff -u` writes it, labelled a/etc/samba/smb.conf and b/etc/samba/smb.conf
// (a missing smb.conf counts as empty). "" when the two are the same.
// Returns false with a reason when diff could not be run or failed.
bool smbConfDiff(const std::string& newText, std::string& diff, std::string& error);

}  // namespace velmora::cli

#endif
