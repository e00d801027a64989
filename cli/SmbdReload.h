#ifndef VELMORA_CLI_SMBDRELOAD_H
#define VELMORA_CLI_SMBDRELOAD_H

#include <string>

namespace velmora::cli {

inline constexpr const char* kSmbcontrol = "/usr/bin/smbcontrol";

struct ReloadOutcome {
    bool reloaded = false;
    std::string reason;  // why not, when not reloaded
};

// Asks a running smbd to load its configuration again: runs
// "/usr/bin/smbcontrol smbd reload-config" without a shell (standard input
// from /dev/null, its output captured) and waits for it. Reloaded when it
// exits 0. Otherwise the reason names what went wrong: smbcontrol could not
// be started, or its first line of output (e.g. "Can't find pid for
// destination 'smbd'" when no smbd runs) with its exit status or signal.
ReloadOutcome reloadSmbd();

}  // namespace velmora::cli

#endif
