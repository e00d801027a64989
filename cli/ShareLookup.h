#ifndef VELMORA_CLI_SHARELOOKUP_H
#define VELMORA_CLI_SHARELOOKUP_H

#include <string>

#include "cli/ShareLibrary.h"

// How the share commands find a share by name, and how they say that they
// did not. The library's lookups for showing, resolving, changing and
// deleting a share find "the first section whose name matches ignoring
// case" (as Samba compares names), while its existence test and the
// commands' own rule are exact. Where the two can disagree, the commands
// refuse rather than show or edit the wrong section.
namespace velmora::cli {

inline constexpr const char* kSmbConf = "/etc/samba/smb.conf";
inline constexpr const char* kSambaDir = "/etc/samba";

// "" when smb.conf can be opened for reading; otherwise
// "cannot read /etc/samba/smb.conf: <reason>".
std::string smbConfReadProblem();

// A hint to add to "/etc/samba/smb.conf could not be written": "" when
// smb.conf can be read and /etc/samba written (an edit replaces the file
// there); otherwise " (cannot read /etc/samba/smb.conf: <reason>)" or
// " (/etc/samba: <reason>)".
std::string smbConfEditHint();

// "no share named '<name>'", followed by " (<read problem>)" when smb.conf
// could not be read.
std::string noShareMessage(const std::string& name);

// True when some section's name equals name ignoring case.
bool anySectionNamed(const ShareLibrary& library, const std::string& name);
// The name of the first section whose name equals name ignoring case
// ("global" when that one does), or "" when none does.
std::string sectionNamedLike(const ShareLibrary& library, const std::string& name);

// True for the names Samba gives its global section: "global" and
// "globals", in any case.
bool isGlobalSection(const std::string& name);

// When a section of exactly name exists but a lookup ignoring case may land
// on another section first, that other section's name; otherwise "". The
// section "global" is never listed, so its place is unknown: a namesake of
// "global" counts as coming first.
std::string shadowingSection(const ShareLibrary& library, const std::string& name);

// Why a command refuses to act on name while shadow (see above) exists.
std::string ambiguityMessage(const std::string& name, const std::string& shadow);

// Why a command that reads one share must not read the share named exactly
// name: there is none, or a namesake would be read instead; "" when it may.
std::string readRefusal(const ShareLibrary& library, const std::string& name);

}  // namespace velmora::cli

#endif
