// Loading, the factories, cleanup answers, and the two broker editions.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "tests/host/FakeLibrary.h"
#include "tests/support/VelmoraLibrary.h"

using vhost::CallResult;
using vhost::Host;
using vhost::ObjectPath;

namespace {

class HostLifecycle : public testing::Test {
protected:
    void SetUp() override { fake_reset(); }
};

TEST_F(HostLifecycle, LoadFindsBothFactoriesOrSaysWhy)
{
    struct Case {
        const char* library;
        const char* providerName;
        bool strict;
        const char* error;  // empty: loads
    };
    const Case cases[] = {
        {fake::kProvider, "fake", true, ""},
        {"/nonexistent/libnothing.so", "fake", true, "cannot load /nonexistent/libnothing.so: "},
        {fake::kProvider, "nosuch", true, "does not export nosuch_Create_InstanceMI"},
        {VelmoraLibrary::path(), "fake", true, "does not export fake_Create_InstanceMI"},
        {fake::kGeneric, "fake", true, "exports both generic and specific factories"},
        {fake::kGeneric, "fake", false, ""},  // sfcb-like: the specific factory is used
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.library) + " " + c.providerName);
        vhost::Options options = fake::options(c.strict);
        options.providerName = c.providerName;
        Host host(c.library, options);
        std::string error;
        EXPECT_EQ(*c.error == '\0', host.load(&error));
        EXPECT_NE(std::string::npos, error.find(c.error)) << error;
    }
}

TEST_F(HostLifecycle, OnlyANonNullMiWithOkIsAccepted)
{
    struct Case {
        int mode;
        bool accepted;
        CMPIrc factoryRc;
    };
    const Case cases[] = {
        {0, true, CMPI_RC_OK},
        {1, false, CMPI_RC_OK},          // NULL with OK
        {2, false, CMPI_RC_ERR_FAILED},  // an MI with a failure
        {3, false, CMPI_RC_ERR_FAILED},  // an exception out of the factory
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        fake_reset();
        fake_setFactoryMode(c.mode);
        {
            Host host(fake::kProvider, fake::options());
            CMPIStatus status = {CMPI_RC_ERR_NOT_FOUND, nullptr};
            EXPECT_EQ(c.accepted, host.instanceMI(&status) != nullptr);
            EXPECT_EQ(c.factoryRc, status.rc);
            // An operation uses the accepted MI, or tries the factory again and reports the refusal.
            const CallResult result = host.enumInstanceNames(ObjectPath("root/test", "Paths"));
            EXPECT_EQ(c.accepted ? CMPI_RC_OK : CMPI_RC_ERR_FAILED, result.rc);
            EXPECT_EQ(c.accepted ? 1 : 2, fake_factoryCalls());
            if (!c.accepted) {
                EXPECT_NE(std::string::npos, result.message.value_or("").find("instance factory refused"));
            }
        }
        // A refused MI is never cleaned up.
        EXPECT_EQ(c.accepted ? 1 : 0, fake_cleanupCalls());
    }
}

TEST_F(HostLifecycle, CleanupHonoursTheAnswers)
{
    struct Case {
        CMPIrc answer;
        CMPIrc second;        // what a second non-terminating request answers
        int nonTerminating;   // cleanup calls made by the two requests
        int terminatingAtEnd; // when the host goes (the method MI included)
    };
    const Case cases[] = {
        {CMPI_RC_OK, CMPI_RC_ERR_NOT_FOUND, 1, 1},
        {CMPI_RC_DO_NOT_UNLOAD, CMPI_RC_DO_NOT_UNLOAD, 2, 2},
        {CMPI_RC_NEVER_UNLOAD, CMPI_RC_NEVER_UNLOAD, 1, 2},
        {CMPI_RC_ERR_FAILED, CMPI_RC_ERR_FAILED, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        fake_reset();
        fake_setCleanupAnswer(c.answer);
        {
            Host host(fake::kProvider, fake::options());
            ASSERT_NE(nullptr, host.instanceMI());
            ASSERT_NE(nullptr, host.methodMI());
            EXPECT_EQ(c.answer, host.cleanupInstanceMI(false).rc);
            EXPECT_EQ(c.second, host.cleanupInstanceMI(false).rc);
            EXPECT_EQ(c.nonTerminating, fake_cleanupCalls());
            EXPECT_EQ(0, fake_terminatingCleanups());
        }
        EXPECT_EQ(c.terminatingAtEnd, fake_terminatingCleanups());
    }
}

// The provider test against an sfcb-like broker means something only if the
// host's sparse mode really leaves the 2.0 additions out.
TEST_F(HostLifecycle, SparseModeLeavesTheTwoPointZeroAdditionsOut)
{
    const std::string strict = "bv=200 eft=200 e17=1 e20=1 origin=1 mft=0 inst=200 returnError=1 result=200";
    const std::string sparse = "bv=0 eft=1 e17=0 e20=0 origin=0 mft=0 inst=1 returnError=0 result=1";
    for (const auto& [isSparse, edition] : {std::make_pair(false, strict), std::make_pair(true, sparse)}) {
        Host host(fake::kProvider, fake::options(true, isSparse));
        EXPECT_EQ(edition + " name=velmora-host", host.enumInstanceNames(ObjectPath("root/t", "Edition")).message);
    }
}

}  // namespace
