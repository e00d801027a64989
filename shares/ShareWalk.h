#ifndef VELMORA_SHARES_SHAREWALK_H
#define VELMORA_SHARES_SHAREWALK_H

#include <functional>

#include "smbconf/SambaSection.h"

namespace velmora {

// One parse of smb.conf, then visit(share, parameters) for every section not
// named exactly "global", in file order. parameters is the first section
// whose name matches the share's ignoring case — the section a lookup by name
// (CLIGetSambaShareInfo) would read — so that a walk answers exactly what
// per-share lookups would, from a single consistent snapshot. Both
// references live for one visit. An exception from visit ends the walk and
// passes through after the model is released.
void forEachShare(const std::function<void(const SambaSection& share,
                                           const SambaSection& parameters)>& visit);

}  // namespace velmora

#endif
