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
// this file and these arguments; a refused call (and a modify that finds
// the value in place) leaves smb.conf byte-identical with no backup; a
// change leaves the old file in the backup and exactly the expected bytes in
// smb.conf — every untouched line identical — and the lookups (existence,
// share list, parameter lines, path) read the change back; no temporary
// file is left behind. Needs the sandbox and fuzzenv::Prepare().
std::string CheckEdit(std::string_view input);

}  // namespace fuzzcheck

#endif
