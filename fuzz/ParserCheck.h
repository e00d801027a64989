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
// - the raw lookups (ignoring case and exact) agree with an independent
//   reading of the same bytes (fuzz/ReferenceConf.h);
// - Samba's reading (Samba(), of Init and of InitSections alike) finds the
//   shares, sections and parameters the independent reading of Samba's
//   rules finds, and so do the share list, the parameter lines, the path
//   and the existence test of the share functions.
// Needs the sandbox and fuzzenv::Prepare().
std::string CheckParse(std::string_view bytes);

}  // namespace fuzzcheck

#endif
