#ifndef VELMORA_TESTS_PROVIDERFIXTURE_H
#define VELMORA_TESTS_PROVIDERFIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/Host.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

// A CIMOM stand-in with libvelmora.so.0 loaded, Samba "installed" (a stub
// /usr/sbin/smbd unless the real one is there) and a principal the fake
// rights library grants.
class ProviderTest : public testing::Test {
protected:
    void SetUp() override
    {
        testfs::installSmbd();
        testfs::installRights(testfs::Rights::Fake);
        testfs::setFakeRights(0, 0x10);
        host = std::make_unique<vhost::Host>(VelmoraLibrary::path());
        std::string error;
        ASSERT_TRUE(host->load(&error)) << error;
        host->setPrincipal("root");
    }

    static vhost::ObjectPath classPath(const std::string& className = "QVX_SambaFileShare",
                                       const std::string& nameSpace = "root/cimv2")
    {
        vhost::ObjectPath path;
        path.nameSpace = nameSpace;
        path.className = className;
        return path;
    }

    static vhost::ObjectPath sharePath(const std::string& instanceId)
    {
        vhost::ObjectPath path = classPath();
        path.keys.emplace_back("InstanceID", vhost::Value::string(instanceId));
        return path;
    }

    std::unique_ptr<vhost::Host> host;
};

#endif
