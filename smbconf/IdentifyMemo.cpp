#include "smbconf/IdentifyMemo.h"

namespace velmora::samba {

const ParameterId& IdentifyMemo::operator()(std::string_view key)
{
    auto found = known_.find(key);
    if (found == known_.end())
        found = known_.emplace(key, Identify(key)).first;
    return found->second;
}

}  // namespace velmora::samba
