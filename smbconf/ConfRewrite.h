#ifndef VELMORA_SMBCONF_CONFREWRITE_H
#define VELMORA_SMBCONF_CONFREWRITE_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The two ways the edits write /etc/samba/smb.conf. Both replace the file
// atomically (AtomicFile.h): on -1 it is exactly as before, its mode, owner
// and group are kept, and no temporary file is left.
namespace velmora {

// Decides what stands in the new file for line number index (counted from
// 0) of the old one: appends it to out, followed by "\n", as it is, changed,
// with further lines, or not at all.
using LineFilter = std::function<void(int32_t index, const std::string& line, std::string& out)>;

// Writes smb.conf anew from lines, each passed through filter in order.
// 0 when the file was replaced, -1 when not.
int RewriteSmbConf(const std::vector<std::string>& lines, const LineFilter& filter);

// Replaces smb.conf by its present bytes followed by tail, which begins with
// a line feed. When the bytes end, without a line feed, in a line that Samba
// continues with the next one, one more line feed goes between, so that
// tail's first line stays a line of its own. -1 (and nothing created) when
// smb.conf is missing or cannot be both read and written, or the
// replacement fails; 0 when done.
int AppendToSmbConf(std::string_view tail);

}  // namespace velmora

#endif
