#ifndef VELMORA_FUZZ_EDITCHECK_H
#define VELMORA_FUZZ_EDITCHECK_H

#include <string>
#include <string_view>

namespace fuzzcheck {

// Runs one editing share function on one smb.conf and returns the first
// broken promise, or "" when all hold. The input is an edit case
// (fuzz/EditCase.h): a command line such as "modify|data|read only|yes",
// then the file.
//
// The promises: the result code is the one shares/SambaShares.h gives for
// this file and these arguments (the share found as Samba finds it); a
// refused call leaves smb.conf byte-identical with no backup; a change
// leaves the old file in the backup. Then what Samba reads (an independent
// reading, fuzz/ReferenceConf.h) is what it read before, changed only where
// the call asked: a new share with its path and comment, the parameter of
// the share set to the value (or unset, for a removal), the share gone.
// A create appends exactly its section; a delete drops exactly the share's
// sections but their '#' comment lines; a parameter edit leaves every line
// that does not set the parameter in that share as it was. The share list
// reads the new file, and no temporary file is left behind. Needs the
// sandbox and fuzzenv::Prepare().
std::string CheckEdit(std::string_view input);

}  // namespace fuzzcheck

#endif
