#ifndef VELMORA_SMBCONF_IDENTIFYMEMO_H
#define VELMORA_SMBCONF_IDENTIFYMEMO_H

#include <string_view>
#include <unordered_map>

#include "smbconf/SambaDialect.h"

namespace velmora::samba {

// Identify for a walk over many shares, where the same few spellings of
// parameter names come back share after share: each spelling is identified
// once. The memo keeps views of the keys, so they must outlive it (those of
// a Reading do, while it lives).
class IdentifyMemo {
public:
    const ParameterId& operator()(std::string_view key);

private:
    std::unordered_map<std::string_view, ParameterId> known_;
};

}  // namespace velmora::samba

#endif
