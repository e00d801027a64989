#ifndef VELMORA_TESTS_PROVIDERHOST_H
#define VELMORA_TESTS_PROVIDERHOST_H

#include <string>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

// libvelmora.so.0 in the CIMOM stand-in as most tests want it: Samba
// "installed" (a stub /usr/sbin/smbd unless the real one is there), the fake
// rights library granting, the library loaded and root as the principal.
// Binaries using it link velmora_host.
struct ProviderHost : vhost::Host {
    explicit ProviderHost(vhost::Options options = {}) : vhost::Host(VelmoraLibrary::path(), options)
    {
        testfs::installSmbd();
        testfs::installRights(testfs::Rights::Fake);
        testfs::setFakeRights(0, 0x10);
        loaded = load(&error);
        setPrincipal("root");
    }
    bool loaded = false;
    std::string error;  // why the library did not load
};

inline vhost::ObjectPath classPath(const std::string& className = "QVX_SambaFileShare",
                                   const std::string& nameSpace = "root/cimv2")
{
    return vhost::ObjectPath(nameSpace, className);
}

inline vhost::ObjectPath sharePath(const std::string& instanceId)
{
    return classPath().addKey("InstanceID", vhost::Value::string(instanceId));
}

// An instance's properties in order, each with its MOF literal.
using Properties = std::vector<std::pair<std::string, std::string>>;

inline Properties literals(const vhost::Instance& instance)
{
    Properties found;
    for (const auto& [name, value] : instance.properties)
        found.emplace_back(name, value.toString());
    return found;
}

#endif
