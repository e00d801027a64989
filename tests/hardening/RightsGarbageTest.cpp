// A privilege library that answers garbage must never grant reading
// without bit 0x10 and a zero result.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "tests/support/ProviderHost.h"

namespace {

TEST(RightsGarbage, OnlyBit0x10WithSuccessGrants)
{
    ProviderHost host;
    ASSERT_TRUE(host.loaded) << host.error;
    testfs::writeSmbConf("[global]\n[data]\n   path = /srv/data\n");
    struct Answer {
        const char* what;
        int rc;
        const char* bits;  // "keep": the word is left as it was
        bool granted;
    };
    const std::vector<Answer> answers = {
        {"every bit but 0x10", 0, "0xFFFFFFEF", false},
        {"the bits around 0x10", 0, "0x28", false},
        {"only the top bit", 0, "0x80000000", false},
        {"the word left untouched", 0, "keep", false},
        {"every bit, but a failure", 1, "0xFFFFFFFF", false},
        {"0x10 as the result", 0x10, "0x10", false},
        {"a negative result", -1, "0x10", false},
        {"the smallest int", INT_MIN, "0xFFFFFFFF", false},
        {"every bit and success", 0, "0xFFFFFFFF", true},
        {"0x10 alone and success", 0, "0x10", true},
    };
    for (const Answer& a : answers) {
        SCOPED_TRACE(a.what);
        setenv("FAKE_QEL_RC", std::to_string(a.rc).c_str(), 1);
        setenv("FAKE_QEL_PRIV", a.bits, 1);
        for (const vhost::CallResult& result : {host.enumInstanceNames(classPath()), host.enumInstances(classPath()),
                                                host.getInstance(sharePath("Samba:data"))}) {
            EXPECT_EQ(result.rc, a.granted ? CMPI_RC_OK : CMPI_RC_ERR_ACCESS_DENIED) << result.statusText();
            EXPECT_EQ(result.doneCount(), a.granted ? 1 : 0);
            EXPECT_TRUE(a.granted || result.kinds().empty()) << result.kinds();
        }
    }
}

}  // namespace
