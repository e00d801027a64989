#ifndef VELMORA_TESTS_SAMBA_SAMBATOOLS_H
#define VELMORA_TESTS_SAMBA_SAMBATOOLS_H

#include <map>
#include <optional>
#include <string>

// Samba's own programs as the judges of what Velmora reads and writes.
namespace samba {

// The configuration file Debian's samba package installs as
// /etc/samba/smb.conf (the package keeps its template here).
inline constexpr const char* kDebianTemplate = "/usr/share/samba/smb.conf";

// The Samba programs these tests need (smbd, testparm, smbclient) and
// Debian's template that are not installed, joined by blanks; empty when
// everything is there.
std::string missingSambaTools();

// A configuration as Samba loads it: section name -> parameter -> value, as
// `testparm -s` prints it (defaults left out, booleans as Yes/No, the
// section names as written in the file).
using SambaView = std::map<std::string, std::map<std::string, std::string>>;

struct Testparm {
    int exitCode = -1;       // 0 when Samba can load the file
    std::string messages;    // what testparm wrote to standard error
    SambaView view;          // parsed from standard output
};

// Runs `testparm -s file`.
Testparm testparm(const std::string& file);

// `testparm -s --section-name=section --parameter-name=parameter file`: the
// effective value (defaults included) without the final line feed, or
// nullopt when testparm fails (e.g. there is no such section).
std::optional<std::string> testparmParameter(const std::string& file, const std::string& section,
                                             const std::string& parameter);

}  // namespace samba

#endif
