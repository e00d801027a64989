#ifndef VELMORA_SHARES_SHAREWALK_H
#define VELMORA_SHARES_SHAREWALK_H

#include <functional>

#include "smbconf/SambaReading.h"

namespace velmora {

// One parse of smb.conf, then visit(share) for every share Samba sees (its
// sections merged, the global section left out), in the order of their first
// headers (reading lists the share's parameters): what per-share lookups (CLIGetSambaShareInfo) would answer, from
// a single consistent snapshot. The share lives for one visit. An exception
// from visit ends the walk and passes through after the model is released.
void forEachShare(const std::function<void(const samba::Reading& reading, const samba::Share& share)>& visit);

}  // namespace velmora

#endif
