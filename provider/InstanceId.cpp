#include "provider/InstanceId.h"

std::string MakeSambaInstanceID(std::string name)
{
    return "Samba:" + name;
}

std::string RemoveSambaInstanceIDPrefix(const std::string& id)
{
    if (id.size() < kSambaInstanceIDPrefixLength)
        return std::string();
    return id.substr(kSambaInstanceIDPrefixLength);
}
