// A privilege library that answers garbage must never grant reading
// without bit 0x10 and a zero result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "host/Host.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

struct Answer {
    const char* what;
    int rc;
    std::optional<uint32_t> bits;  // nullopt: the word is left as it was
    bool granted;
};

void answer(const Answer& a)
{
    setenv("HARDENING_QEL_RC", std::to_string(a.rc).c_str(), 1);
    if (a.bits)
        setenv("HARDENING_QEL_BITS", std::to_string(*a.bits).c_str(), 1);
    else
        unsetenv("HARDENING_QEL_BITS");
}

void installGarbageRights()
{
    const std::optional<std::string> bytes = testfs::readFile(HARDENING_GARBAGE_RIGHTS_PATH);
    ASSERT_TRUE(bytes.has_value());
    testfs::writeFile(testfs::kRights, *bytes, 0755);
}

TEST(RightsGarbage, OnlyBit0x10WithSuccessGrants)
{
    installGarbageRights();
    testfs::installSmbd();
    testfs::writeSmbConf("[global]\n[data]\n   path = /srv/data\n");
    vhost::Host host(VelmoraLibrary::path());
    ASSERT_TRUE(host.load());
    host.setPrincipal("root");
    const vhost::ObjectPath classPath("root/cimv2", "QVX_SambaFileShare");
    vhost::ObjectPath sharePath = classPath;
    sharePath.addKey("InstanceID", vhost::Value::string("Samba:data"));

    const std::vector<Answer> answers = {
        {"every bit but 0x10", 0, 0xFFFFFFEFu, false},
        {"the bits around 0x10", 0, 0x28u, false},
        {"only the top bit", 0, 0x80000000u, false},
        {"the word left untouched", 0, std::nullopt, false},
        {"every bit, but a failure", 1, 0xFFFFFFFFu, false},
        {"0x10 as the result", 0x10, 0x10u, false},
        {"a negative result", -1, 0x10u, false},
        {"the smallest int", INT32_MIN, 0xFFFFFFFFu, false},
        {"every bit and success", 0, 0xFFFFFFFFu, true},
        {"0x10 alone and success", 0, 0x10u, true},
    };
    for (const Answer& a : answers) {
        SCOPED_TRACE(a.what);
        answer(a);
        const std::vector<vhost::CallResult> results = {
            host.enumInstanceNames(classPath), host.enumInstances(classPath),
            host.getInstance(sharePath)};
        for (const vhost::CallResult& result : results) {
            if (a.granted) {
                EXPECT_EQ(result.rc, CMPI_RC_OK) << result.statusText();
                EXPECT_EQ(result.doneCount(), 1);
            } else {
                EXPECT_EQ(result.rc, CMPI_RC_ERR_ACCESS_DENIED) << result.statusText();
                EXPECT_EQ(result.kinds(), "");
            }
        }
    }
}

}  // namespace
