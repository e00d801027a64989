#ifndef VELMORA_CLI_SHARELOOKUP_H
#define VELMORA_CLI_SHARELOOKUP_H

#include <string>

#include "cli/ShareLibrary.h"

// How the share commands find a share by name, and how they say that they
// did not. The library reads smb.conf as Samba does: sections whose names
// differ only in case are one share, and showing, resolving, changing or
// deleting it acts on all of them; its existence test, and the commands'
// own rule for reading one share, are exact.
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

// Why a command that reads one share must not read the share named exactly
// name: there is none; "" when it may.
std::string readRefusal(const ShareLibrary& library, const std::string& name);

}  // namespace velmora::cli

#endif
