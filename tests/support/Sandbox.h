#ifndef VELMORA_TESTS_SANDBOX_H
#define VELMORA_TESTS_SANDBOX_H

#include <string>

namespace sandbox {

// Moves this process into a private mount namespace in which /etc, /usr/sbin
// and /usr/lib64 are throw-away overlays over the host's directories, then
// clears the fixed paths the library uses (/etc/samba/smb.conf and its backup,
// /usr/lib64/libqel_misc.so). Nothing written afterwards reaches the host.
// Works in a chroot too, where / is no mount point: there the process first
// moves its root onto a private bind of / (which needs /proc mounted).
// Returns false with the failed step, its cause and the way out: the caller
// must not run a single test then.
bool enter(std::string& error);

// Mounts a fresh tmpfs on dir inside the sandbox (creating dir); options as
// for mount(2), e.g. "size=16k". Returns false with a reason on failure.
bool mountTmpfs(const std::string& dir, const std::string& options, std::string& error);

// Makes dir read-only inside the sandbox with a bind mount on itself.
bool makeReadOnly(const std::string& dir, std::string& error);

}  // namespace sandbox

#endif
