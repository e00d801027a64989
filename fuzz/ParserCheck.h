#ifndef VELMORA_FUZZ_PARSERCHECK_H
#define VELMORA_FUZZ_PARSERCHECK_H

#include <string>
#include <string_view>

namespace fuzzcheck {

// Writes bytes to /etc/samba/smb.conf, parses it with SambaConfFile::Init
// and reads it through the section queries and CLIGetSambaShares. Returns
// the first broken promise of the model, or "" when all hold:
// - Init succeeds; lineCount is the number of lines; the lines, each
//   followed by a line feed, give back the file (a missing final line feed
//   added);
// - the sections follow each other from the first header to the last line,
//   each starting at its header with no other header inside, and hold
//   exactly the parameter lines of their range, in order;
// - names, lookups (ignoring case and exact) and the share list agree with
//   an independent reading of the same bytes (fuzz/ReferenceConf.h).
// Needs the sandbox and fuzzenv::Prepare().
std::string CheckParse(std::string_view bytes);

}  // namespace fuzzcheck

#endif
