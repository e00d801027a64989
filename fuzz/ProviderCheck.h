#ifndef VELMORA_FUZZ_PROVIDERCHECK_H
#define VELMORA_FUZZ_PROVIDERCHECK_H

#include <string>
#include <string_view>

#include "host/Host.h"

namespace fuzzcheck {

// libvelmora.so.0 loaded into the in-process CIMOM stand-in, as a CIMOM
// loads it, with a principal the prepared rights library grants. Needs the
// sandbox and fuzzenv::Prepare() before construction.
class ProviderProbe {
public:
    ProviderProbe();

    // Writes bytes to /etc/samba/smb.conf and asks the provider for the
    // shares. Returns the first broken promise, or "" when all hold: every
    // operation answers CMPI_RC_OK without throwing; enumInstanceNames gives
    // one QVX_SambaFileShare path per share as Samba sees it (sections named
    // alike merged, the global section left out), in the order of first
    // headers, keyed "Samba:" and the name, then one done; enumInstances
    // gives the same shares as instances, with Samba's PathName, Comment,
    // ReadOnly and InheritACLs from the share's own sections (unset when
    // none sets them; PathName then ""); getInstance of the last share (unless its name holds a
    // NUL byte) gives the instance the enumeration gave.
    std::string Check(std::string_view bytes);

private:
    vhost::Host host_;
};

}  // namespace fuzzcheck

#endif
