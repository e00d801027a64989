// The drive functions as a CIMOM calls them: through function tables built
// like the provider's, with a sparse fake broker.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "cmpi/CmpiBaseMI.h"
#include "cmpi/CmpiInstanceMI.h"
#include "cmpi/CmpiMethodMI.h"
#include "cmpi/CmpiProviderBase.h"
#include "tests/cmpi/FakeBroker.h"

namespace {

CMPIInstanceMIFT instanceTable = {
    200, 200, "instancetest", CmpiBaseMI::driveBaseCleanup, CmpiInstanceMI::driveEnumInstanceNames,
    CmpiInstanceMI::driveEnumInstances, CmpiInstanceMI::driveGetInstance, CmpiInstanceMI::driveCreateInstance,
    CmpiInstanceMI::driveSetInstance, CmpiInstanceMI::driveDeleteInstance, CmpiInstanceMI::driveExecQuery,
};

CMPIMethodMIFT methodTable = {200, 200, "methodtest", CmpiBaseMI::driveBaseCleanup, CmpiMethodMI::driveInvokeMethod};

// What the provider saw and how it answers.
struct Probe {
    std::vector<std::string> reached;
    std::function<CmpiStatus()> answer = [] { return CmpiStatus(); };
    std::function<CmpiStatus()> cleanupAnswer = [] { return CmpiStatus(); };
    int unloadable = 1;
    int cleanups = 0;
    bool destroyed = false;
};

class TestProvider : public CmpiInstanceMI, public CmpiMethodMI {
public:
    TestProvider(FakeBroker& fake, Probe& probe)
        : CmpiBaseMI(CmpiBroker(fake.broker()), CmpiContext(fake.context())),
          CmpiInstanceMI(CmpiBroker(fake.broker()), CmpiContext(fake.context())),
          CmpiMethodMI(CmpiBroker(fake.broker()), CmpiContext(fake.context())), probe_(probe)
    {
    }
    ~TestProvider() override { probe_.destroyed = true; }

    CmpiStatus enumInstanceNames(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op) override
    {
        return reach("enumInstanceNames " + std::string(op.getClassName().charPtr()), ctx, result);
    }
    CmpiStatus enumInstances(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&,
                             const char** properties) override
    {
        return reach("enumInstances " + std::string(properties[0]), ctx, result);
    }
    CmpiStatus getInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&,
                           const char** properties) override
    {
        return reach(std::string("getInstance ") + (properties ? "some" : "all"), ctx, result);
    }
    CmpiStatus createInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&,
                              const CmpiInstance& inst) override
    {
        return reach(std::string("createInstance ") + (inst.getEnc() ? "inst" : "none"), ctx, result);
    }
    CmpiStatus setInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&, const CmpiInstance&,
                           const char**) override
    {
        return reach("setInstance", ctx, result);
    }
    CmpiStatus deleteInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&) override
    {
        return reach("deleteInstance", ctx, result);
    }
    CmpiStatus execQuery(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&, const char* language,
                         const char* query) override
    {
        return reach(std::string("execQuery ") + language + " " + query, ctx, result);
    }
    CmpiStatus invokeMethod(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath&, const char* method,
                            const CmpiArgs& in, CmpiArgs& out) override
    {
        out.setArg("Out", CmpiData(CMPIUint32(in.getArgCount())));
        return reach(std::string("invokeMethod ") + method, ctx, result);
    }
    CmpiStatus cleanup(CmpiContext&) override
    {
        ++probe_.cleanups;
        return probe_.cleanupAnswer();
    }
    int isUnloadable() const override { return probe_.unloadable; }

private:
    // The wrapped context and result must be the very objects of the call.
    CmpiStatus reach(const std::string& what, const CmpiContext& ctx, CmpiResult& result)
    {
        probe_.reached.push_back(what);
        if (ctx.getEnc() == nullptr || result.getEnc() == nullptr)
            return CmpiStatus(CMPI_RC_ERR_FAILED, "arguments lost");
        return probe_.answer();
    }

    Probe& probe_;
};

// A provider that overrides nothing.
class BareProvider : public CmpiInstanceMI, public CmpiMethodMI {
public:
    explicit BareProvider(FakeBroker& fake)
        : CmpiBaseMI(CmpiBroker(fake.broker()), CmpiContext(fake.context())),
          CmpiInstanceMI(CmpiBroker(fake.broker()), CmpiContext(fake.context())),
          CmpiMethodMI(CmpiBroker(fake.broker()), CmpiContext(fake.context()))
    {
    }
};

class CmpiDriveTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (provider != nullptr && !probe.destroyed)
            delete provider;
    }

    // Creates the provider and both MI records as the factories do.
    void load(unsigned users = 2)
    {
        provider = new TestProvider(fake, probe);
        base.setBaseMI(provider);
        provider->setProviderBase(&base);
        for (unsigned i = 0; i < users; ++i)
            base.incUseCount();
        instanceMI = CMPIInstanceMI{static_cast<CmpiBaseMI*>(provider), &instanceTable};
        methodMI = CMPIMethodMI{static_cast<CmpiBaseMI*>(provider), &methodTable};
    }

    // Every entry of both tables, called as the CIMOM calls it.
    std::vector<std::pair<std::string, std::function<CMPIStatus()>>> entries()
    {
        const CMPIContext* ctx = fake.context();
        const CMPIResult* rslt = fake.result();
        const CMPIObjectPath* op = fake.path("root/cimv2", "QVX_SambaFileShare");
        CMPIInstance* inst = &fake.instances.emplace_back(new FakeBroker::InstanceObj{})->enc;
        static const char* properties[] = {"Name", nullptr};
        CMPIInstanceMI* i = &instanceMI;
        CMPIMethodMI* m = &methodMI;
        return {
            {"enumInstanceNames QVX_SambaFileShare",
             [=] { return i->ft->enumerateInstanceNames(i, ctx, rslt, op); }},
            {"enumInstances Name", [=] { return i->ft->enumerateInstances(i, ctx, rslt, op, properties); }},
            {"getInstance all", [=] { return i->ft->getInstance(i, ctx, rslt, op, nullptr); }},
            {"createInstance inst", [=] { return i->ft->createInstance(i, ctx, rslt, op, inst); }},
            {"setInstance", [=] { return i->ft->modifyInstance(i, ctx, rslt, op, inst, properties); }},
            {"deleteInstance", [=] { return i->ft->deleteInstance(i, ctx, rslt, op); }},
            {"execQuery WQL SELECT * FROM QVX_SambaFileShare",
             [=] { return i->ft->execQuery(i, ctx, rslt, op, "SELECT * FROM QVX_SambaFileShare", "WQL"); }},
            {"invokeMethod Refresh",
             [=, this] { return m->ft->invokeMethod(m, ctx, rslt, op, "Refresh", fake.args(), fake.args()); }},
        };
    }

    FakeBroker fake;
    Probe probe;
    CmpiProviderBase base;
    TestProvider* provider = nullptr;
    CMPIInstanceMI instanceMI{nullptr, &instanceTable};
    CMPIMethodMI methodMI{nullptr, &methodTable};
};

TEST_F(CmpiDriveTest, EveryEntryReachesItsOperationWithTheCallsArguments)
{
    load();
    CmpiArgs(fake.args()).setArg("In", CmpiData("x"));
    for (auto& entry : entries()) {
        SCOPED_TRACE(entry.first);
        probe.reached.clear();
        CMPIStatus status = entry.second();
        EXPECT_EQ(status.rc, CMPI_RC_OK);
        EXPECT_EQ(status.msg, nullptr);
        EXPECT_EQ(probe.reached, std::vector<std::string>{entry.first});
    }
    EXPECT_EQ(fake.arg("Out").value.uint32, 1u);
}

// Whatever the operation throws, the CIMOM gets a status whose message is a
// string the broker made.
TEST_F(CmpiDriveTest, OutcomesBecomeStatusesWithBrokerMadeMessages)
{
    struct Case {
        const char* name;
        std::function<CmpiStatus()> answer;
        CMPIrc rc;
        const char* msg;
    };
    const Case cases[] = {
        {"returned OK", [] { return CmpiStatus(); }, CMPI_RC_OK, nullptr},
        {"returned refusal", [] { return CmpiStatus(CMPI_RC_ERR_ACCESS_DENIED); }, CMPI_RC_ERR_ACCESS_DENIED,
         nullptr},
        {"thrown status",
         []() -> CmpiStatus { throw CmpiStatus(CMPI_RC_ERR_FAILED, "No Samba Service found on this machine"); },
         CMPI_RC_ERR_FAILED, "No Samba Service found on this machine"},
        {"thrown status without message", []() -> CmpiStatus { throw CmpiStatus(CMPI_RC_ERR_NOT_FOUND); },
         CMPI_RC_ERR_NOT_FOUND, nullptr},
        {"runtime_error", []() -> CmpiStatus { throw std::runtime_error("Failed to dlopen file: "); },
         CMPI_RC_ERR_FAILED, "Failed to dlopen file: "},
        {"bad_alloc", []() -> CmpiStatus { throw std::bad_alloc(); }, CMPI_RC_ERR_FAILED, "std::bad_alloc"},
        {"int", []() -> CmpiStatus { throw 42; }, CMPI_RC_ERR_FAILED, "Unknown exception in the provider"},
    };
    load();
    for (const Case& c : cases) {
        for (auto& entry : entries()) {
            SCOPED_TRACE(std::string(c.name) + " from " + entry.first);
            probe.answer = c.answer;
            CMPIStatus status = entry.second();
            EXPECT_EQ(status.rc, c.rc);
            if (c.msg == nullptr) {
                EXPECT_EQ(status.msg, nullptr);
                continue;
            }
            ASSERT_TRUE(fake.madeString(status.msg));
            EXPECT_STREQ(static_cast<const char*>(status.msg->hdl), c.msg);
        }
    }
}

TEST_F(CmpiDriveTest, MissingHandlesAnswerInvalidHandle)
{
    load();
    auto calls = entries();
    calls.emplace_back("instance cleanup", [this] { return instanceMI.ft->cleanup(&instanceMI, nullptr, 0); });
    calls.emplace_back("method cleanup", [this] { return methodMI.ft->cleanup(&methodMI, nullptr, 1); });
    instanceMI.hdl = nullptr;
    methodMI.hdl = nullptr;
    for (auto& call : calls) {
        SCOPED_TRACE(call.first);
        EXPECT_EQ(call.second().rc, CMPI_RC_ERR_INVALID_HANDLE);
    }
    const CMPIContext* ctx = fake.context();
    EXPECT_EQ(CmpiInstanceMI::driveDeleteInstance(nullptr, ctx, fake.result(), nullptr).rc,
              CMPI_RC_ERR_INVALID_HANDLE);
    EXPECT_EQ(CmpiMethodMI::driveInvokeMethod(nullptr, ctx, fake.result(), nullptr, "m", nullptr, nullptr).rc,
              CMPI_RC_ERR_INVALID_HANDLE);
    EXPECT_EQ(CmpiBaseMI::driveBaseCleanup(static_cast<CMPIMethodMI*>(nullptr), ctx, 1).rc,
              CMPI_RC_ERR_INVALID_HANDLE);
    EXPECT_TRUE(probe.reached.empty());
    EXPECT_EQ(base.getUseCount(), 2u);
}

TEST_F(CmpiDriveTest, OperationsNotOverriddenAreNotSupported)
{
    BareProvider* bare = new BareProvider(fake);
    instanceMI.hdl = static_cast<CmpiBaseMI*>(bare);
    methodMI.hdl = static_cast<CmpiBaseMI*>(bare);
    for (auto& entry : entries()) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(entry.second().rc, CMPI_RC_ERR_NOT_SUPPORTED);
    }
    EXPECT_EQ(CmpiBaseMI::driveBaseCleanup(&instanceMI, fake.context(), 1).rc, CMPI_RC_OK);
    EXPECT_EQ(instanceMI.hdl, nullptr);
}

// A provider object that is only an instance MI, reached through a method record.
TEST_F(CmpiDriveTest, RecordOfTheWrongInterfaceIsNotSupported)
{
    class InstanceOnly : public CmpiInstanceMI {
    public:
        explicit InstanceOnly(FakeBroker& f)
            : CmpiBaseMI(CmpiBroker(f.broker()), CmpiContext(f.context())),
              CmpiInstanceMI(CmpiBroker(f.broker()), CmpiContext(f.context()))
        {
        }
    } only(fake);
    methodMI.hdl = static_cast<CmpiBaseMI*>(&only);
    CMPIStatus status = methodMI.ft->invokeMethod(&methodMI, fake.context(), fake.result(),
                                                  fake.path("root/cimv2", "X"), "m", fake.args(), fake.args());
    EXPECT_EQ(status.rc, CMPI_RC_ERR_NOT_SUPPORTED);
}

TEST_F(CmpiDriveTest, CleanupEndsTheSharedObjectOnlyAfterItsLastUser)
{
    struct Case {
        const char* name;
        unsigned users;
        int unloadable;
        CMPIBoolean terminating;
        std::function<CmpiStatus()> cleanupAnswer;
        CMPIrc rc;
        const char* msg;
        int cleanups;
        bool destroyed;
        unsigned usersAfter;
    };
    const auto ok = [] { return CmpiStatus(); };
    const Case cases[] = {
        {"another MI still uses it", 2, 1, 0, ok, CMPI_RC_OK, nullptr, 0, false, 1},
        {"last user", 1, 1, 0, ok, CMPI_RC_OK, nullptr, 1, true, 0},
        {"last user, terminating", 1, 1, 1, ok, CMPI_RC_OK, nullptr, 1, true, 0},
        {"not unloadable", 1, 0, 0, ok, CMPI_RC_DO_NOT_UNLOAD, nullptr, 0, false, 1},
        {"not unloadable, terminating", 1, 0, 1, ok, CMPI_RC_OK, nullptr, 1, true, 0},
        {"cleanup asks to stay", 1, 1, 0, [] { return CmpiStatus(CMPI_RC_DO_NOT_UNLOAD); }, CMPI_RC_DO_NOT_UNLOAD,
         nullptr, 1, false, 1},
        {"cleanup fails", 1, 1, 0, [] { return CmpiStatus(CMPI_RC_ERR_FAILED, "busy"); }, CMPI_RC_ERR_FAILED, "busy",
         1, false, 1},
        {"cleanup throws, terminating", 1, 1, 1, []() -> CmpiStatus { throw std::runtime_error("gone"); },
         CMPI_RC_ERR_FAILED, "gone", 1, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        probe = Probe();
        probe.unloadable = c.unloadable;
        probe.cleanupAnswer = c.cleanupAnswer;
        while (base.decUseCount() > 0) {
        }
        load(c.users);

        CMPIStatus status = instanceMI.ft->cleanup(&instanceMI, fake.context(), c.terminating);

        EXPECT_EQ(status.rc, c.rc);
        if (c.msg == nullptr)
            EXPECT_EQ(status.msg, nullptr);
        else
            EXPECT_STREQ(static_cast<const char*>(status.msg->hdl), c.msg);
        EXPECT_EQ(probe.cleanups, c.cleanups);
        EXPECT_EQ(probe.destroyed, c.destroyed);
        EXPECT_EQ(base.getUseCount(), c.usersAfter);
        EXPECT_EQ(base.getBaseMI(), c.destroyed ? nullptr : provider);
        // The record forgets the object exactly when this MI's use has ended.
        bool ended = c.destroyed || c.usersAfter < c.users;
        EXPECT_EQ(instanceMI.hdl, ended ? nullptr : static_cast<CmpiBaseMI*>(provider));
        if (!probe.destroyed)
            delete provider;
        provider = nullptr;
    }
}

TEST_F(CmpiDriveTest, BothRecordsShareOneObjectUntilBothAreCleanedUp)
{
    load(2);
    EXPECT_EQ(CmpiBaseMI::driveBaseCleanup(&methodMI, fake.context(), 0).rc, CMPI_RC_OK);
    EXPECT_FALSE(probe.destroyed);
    EXPECT_EQ(instanceMI.ft->getInstance(&instanceMI, fake.context(), fake.result(),
                                         fake.path("root/cimv2", "QVX_SambaFileShare"), nullptr)
                  .rc,
              CMPI_RC_OK);
    EXPECT_EQ(CmpiBaseMI::driveBaseCleanup(&instanceMI, fake.context(), 0).rc, CMPI_RC_OK);
    EXPECT_TRUE(probe.destroyed);
    EXPECT_EQ(probe.cleanups, 1);
    EXPECT_EQ(base.getBaseMI(), nullptr);
    EXPECT_EQ(base.getUseCount(), 0u);
}

TEST_F(CmpiDriveTest, TheProviderRegistersItsBrokerForItsLifetime)
{
    CmpiBroker::setCurrent(nullptr);
    EXPECT_THROW(CmpiBroker::current(), CmpiStatus);
    load();
    EXPECT_EQ(CmpiBroker::current(), fake.broker());
    delete provider;
    EXPECT_THROW(CmpiBroker::current(), CmpiStatus);
    EXPECT_EQ(base.decUseCount(), 1u);
    EXPECT_EQ(base.decUseCount(), 0u);
    EXPECT_EQ(base.decUseCount(), 0u);
}

}  // namespace
