#ifndef VELMORA_PROVIDER_INSTANCEID_H
#define VELMORA_PROVIDER_INSTANCEID_H

#include <string>

#include "common/Export.h"

// The key InstanceID of a share: "Samba:" followed by the section name.
inline constexpr size_t kSambaInstanceIDPrefixLength = 6;  // strlen("Samba:")

VELMORA_EXPORT std::string MakeSambaInstanceID(std::string name);

// id without its first six characters, whatever they are ('abcdefgh' gives
// 'gh'). Callers check the length first: a shorter id gives "".
VELMORA_EXPORT std::string RemoveSambaInstanceIDPrefix(const std::string& id);

#endif
