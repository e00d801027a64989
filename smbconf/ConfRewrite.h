#ifndef VELMORA_SMBCONF_CONFREWRITE_H
#define VELMORA_SMBCONF_CONFREWRITE_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// How every edit writes /etc/samba/smb.conf: the whole new text is built,
// then handed to CommitSmbConf, the one commit step.
namespace velmora {

// Puts newContent in place of smb.conf as one checked edit, under the
// caller's edit lock. keySet: the parameter the edit sets ("" for other
// edits), for the "Samba ignores it" check. In order:
//  1. a dry run on this thread (EditRecord.h): newContent and Samba's
//     verdict are recorded, the code the edit would return is returned,
//     nothing is written;
//  2. Samba's verdict (SambaVerdict.h), kept for CLISambaVerdict;
//  3. the backup smb.conf.temp (Backup.h);
//  4. the replace: atomic rename (AtomicFile.h), keeping mode, owner and
//     extended attributes; where the rename cannot be used (a mount point,
//     several hard links, a directory without room for a new file) the file
//     is rewritten in place (InPlaceWrite.h).
// 0 done; -1 not written (smb.conf and the previous backup as they were;
// should an in-place rewrite fail midway, smb.conf is restored from the new
// backup, which then stays); -5 Samba would not load the result (nothing
// written).
int CommitSmbConf(std::string_view newContent, std::string_view keySet);

// Decides what stands in the new file for line number index (counted from
// 0) of the old one: appends it to out, followed by "\n", as it is, changed,
// with further lines, or not at all.
using LineFilter = std::function<void(int32_t index, const std::string& line, std::string& out)>;

// Writes smb.conf anew from lines, each passed through filter in order,
// through CommitSmbConf (keySet: as there). Its result.
int RewriteSmbConf(const std::vector<std::string>& lines, const LineFilter& filter,
                   std::string_view keySet = "");

// Replaces smb.conf by its present bytes followed by tail, which begins with
// a line feed. When the bytes end, without a line feed, in a line that Samba
// continues with the next one, as many more line feeds go between as
// empty lines Samba would join into it, so that tail's first line stays a
// line of its own. -1 (and nothing created) when
// smb.conf is missing or cannot be both read and written; otherwise
// CommitSmbConf's result.
int AppendToSmbConf(std::string_view tail);

}  // namespace velmora

#endif
