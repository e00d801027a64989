// Loading, the factories, cleanup answers, and the two broker editions.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "tests/host/FakeLibrary.h"

using vhost::CallResult;
using vhost::Host;
using vhost::ObjectPath;

namespace {

class HostLifecycle : public testing::Test {
protected:
    void SetUp() override { fake::Controls::get().reset(); }
    fake::Controls& controls = fake::Controls::get();
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
        {fake::kVelmora, "fake", true, "does not export fake_Create_InstanceMI"},
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
        controls.reset();
        controls.setFactoryMode(c.mode);
        {
            Host host(fake::kProvider, fake::options());
            CMPIStatus status = {CMPI_RC_ERR_NOT_FOUND, nullptr};
            EXPECT_EQ(c.accepted, host.instanceMI(&status) != nullptr);
            EXPECT_EQ(c.factoryRc, status.rc);
            // An operation uses the accepted MI, or tries the factory again and reports the refusal.
            const CallResult result = host.enumInstanceNames(ObjectPath("root/test", "Paths"));
            EXPECT_EQ(c.accepted ? CMPI_RC_OK : CMPI_RC_ERR_FAILED, result.rc);
            EXPECT_EQ(c.accepted ? 1 : 2, controls.factoryCalls());
            if (!c.accepted) {
                EXPECT_NE(std::string::npos, result.message.value_or("").find("instance factory refused"));
            }
        }
        // A refused MI is never cleaned up.
        EXPECT_EQ(c.accepted ? 1 : 0, controls.cleanupCalls());
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
        controls.reset();
        controls.setCleanupAnswer(c.answer);
        {
            Host host(fake::kProvider, fake::options());
            ASSERT_NE(nullptr, host.instanceMI());
            ASSERT_NE(nullptr, host.methodMI());
            EXPECT_EQ(c.answer, host.cleanupInstanceMI(false).rc);
            EXPECT_EQ(c.second, host.cleanupInstanceMI(false).rc);
            EXPECT_EQ(c.nonTerminating, controls.cleanupCalls());
            EXPECT_EQ(0, controls.terminatingCleanups());
        }
        EXPECT_EQ(c.terminatingAtEnd, controls.terminatingCleanups());
    }
}

TEST_F(HostLifecycle, SparseModeLeavesTheTwoPointZeroAdditionsOut)
{
    struct Case {
        bool sparse;
        const char* broker;
        const char* result;
    };
    const Case cases[] = {
        {false, "bv=200 eft=200 e17=1 e20=1 origin=1 mft=0 inst=200 name=velmora-host", "returnError=1 result=200"},
        {true, "bv=0 eft=1 e17=0 e20=0 origin=0 mft=0 inst=1 name=velmora-host", "returnError=0 result=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sparse);
        Host host(fake::kProvider, fake::options(true, c.sparse));
        EXPECT_EQ(std::optional<std::string>(c.broker), host.enumInstanceNames(ObjectPath("root/t", "Broker")).message);
        EXPECT_EQ(std::optional<std::string>(c.result), host.enumInstanceNames(ObjectPath("root/t", "Result")).message);
    }
}

}  // namespace
