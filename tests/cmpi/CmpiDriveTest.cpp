// The bindings as a CIMOM drives them, through function tables built like
// the provider's, for what the real provider behind the real host (see
// tests/provider) cannot provoke: every kind of failure an operation ends
// with, NULL handles, the shared object's cleanup, and CMPI_chars values.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cmpi/CmpiArgs.h"
#include "cmpi/CmpiInstance.h"
#include "cmpi/CmpiInstanceMI.h"
#include "cmpi/CmpiMethodMI.h"
#include "cmpi/CmpiProviderBase.h"
#include "cmpi/CmpiResult.h"
#include "tests/cmpi/FakeBroker.h"

namespace {

CMPIInstanceMIFT instanceTable = {
    200, 200, "instancetest", CmpiBaseMI::driveBaseCleanup, CmpiInstanceMI::driveEnumInstanceNames,
    CmpiInstanceMI::driveEnumInstances, CmpiInstanceMI::driveGetInstance, CmpiInstanceMI::driveCreateInstance,
    CmpiInstanceMI::driveSetInstance, CmpiInstanceMI::driveDeleteInstance, CmpiInstanceMI::driveExecQuery,
};
CMPIMethodMIFT methodTable = {200, 200, "methodtest", CmpiBaseMI::driveBaseCleanup, CmpiMethodMI::driveInvokeMethod};

// What the provider was asked and how it answers.
struct Probe {
    std::string reached;
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

    using Ctx = const CmpiContext&;
    using Path = const CmpiObjectPath&;
    CmpiStatus enumInstanceNames(Ctx, CmpiResult&, Path) override { return reach("enumInstanceNames"); }
    CmpiStatus enumInstances(Ctx, CmpiResult&, Path, const char**) override { return reach("enumInstances"); }
    CmpiStatus getInstance(Ctx, CmpiResult&, Path, const char**) override { return reach("getInstance"); }
    CmpiStatus createInstance(Ctx, CmpiResult&, Path, const CmpiInstance&) override
    {
        return reach("createInstance");
    }
    CmpiStatus setInstance(Ctx, CmpiResult&, Path, const CmpiInstance&, const char**) override
    {
        return reach("setInstance");
    }
    CmpiStatus deleteInstance(Ctx, CmpiResult&, Path) override { return reach("deleteInstance"); }
    CmpiStatus execQuery(Ctx, CmpiResult&, Path, const char*, const char*) override { return reach("execQuery"); }
    CmpiStatus invokeMethod(Ctx, CmpiResult&, Path, const char*, const CmpiArgs&, CmpiArgs&) override
    {
        return reach("invokeMethod");
    }
    CmpiStatus cleanup(CmpiContext&) override
    {
        ++probe_.cleanups;
        return probe_.cleanupAnswer();
    }
    int isUnloadable() const override { return probe_.unloadable; }

private:
    CmpiStatus reach(const char* operation)
    {
        probe_.reached = operation;
        return probe_.answer();
    }

    Probe& probe_;
};

class CmpiDriveTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (!probe.destroyed)
            delete provider;
    }

    // Creates the provider and both MI records as the factories do.
    void load(unsigned users)
    {
        provider = new TestProvider(fake, probe);
        base.setBaseMI(provider);
        provider->setProviderBase(&base);
        for (unsigned i = 0; i < users; ++i)
            base.incUseCount();
        instanceMI.hdl = static_cast<CmpiBaseMI*>(provider);
        methodMI.hdl = static_cast<CmpiBaseMI*>(provider);
    }

    // Every operation entry of both tables, called as the CIMOM calls it.
    std::vector<std::pair<std::string, std::function<CMPIStatus()>>> entries()
    {
        const CMPIContext* c = fake.context();
        const CMPIResult* r = fake.result();
        const CMPIObjectPath* op = fake.path();
        CMPIInstance* inst = nullptr;
        CMPIInstanceMI* i = &instanceMI;
        CMPIMethodMI* m = &methodMI;
        CMPIArgs* args = fake.args();
        return {
            {"enumInstanceNames", [=] { return i->ft->enumerateInstanceNames(i, c, r, op); }},
            {"enumInstances", [=] { return i->ft->enumerateInstances(i, c, r, op, nullptr); }},
            {"getInstance", [=] { return i->ft->getInstance(i, c, r, op, nullptr); }},
            {"createInstance", [=] { return i->ft->createInstance(i, c, r, op, inst); }},
            {"setInstance", [=] { return i->ft->modifyInstance(i, c, r, op, inst, nullptr); }},
            {"deleteInstance", [=] { return i->ft->deleteInstance(i, c, r, op); }},
            {"execQuery", [=] { return i->ft->execQuery(i, c, r, op, "SELECT * FROM X", "WQL"); }},
            {"invokeMethod", [=] { return m->ft->invokeMethod(m, c, r, op, "Refresh", args, args); }},
        };
    }

    FakeBroker fake;
    Probe probe;
    CmpiProviderBase base;
    TestProvider* provider = nullptr;
    CMPIInstanceMI instanceMI{nullptr, &instanceTable};
    CMPIMethodMI methodMI{nullptr, &methodTable};
};

// Whatever the operation ends with, no exception reaches the CIMOM: it gets
// a status whose message is a string its own broker made.
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
    load(2);
    for (const Case& c : cases) {
        for (auto& [operation, call] : entries()) {
            SCOPED_TRACE(std::string(c.name) + " from " + operation);
            probe.answer = c.answer;
            const CMPIStatus status = call();
            EXPECT_EQ(probe.reached, operation);
            EXPECT_EQ(status.rc, c.rc);
            if (c.msg == nullptr)
                EXPECT_EQ(status.msg, nullptr);
            else
                EXPECT_STREQ(fake.madeText(status.msg), c.msg);
        }
    }
}

TEST_F(CmpiDriveTest, MissingHandlesAnswerInvalidHandle)
{
    load(2);
    auto calls = entries();
    calls.emplace_back("instance cleanup", [this] { return instanceMI.ft->cleanup(&instanceMI, nullptr, 0); });
    calls.emplace_back("method cleanup", [this] { return methodMI.ft->cleanup(&methodMI, nullptr, 1); });
    calls.emplace_back("NULL instance MI",
                       [] { return CmpiInstanceMI::driveDeleteInstance(nullptr, nullptr, nullptr, nullptr); });
    calls.emplace_back("NULL method MI", [] {
        return CmpiMethodMI::driveInvokeMethod(nullptr, nullptr, nullptr, nullptr, "m", nullptr, nullptr);
    });
    calls.emplace_back("NULL MI cleanup",
                       [] { return CmpiBaseMI::driveBaseCleanup(static_cast<CMPIMethodMI*>(nullptr), nullptr, 1); });
    instanceMI.hdl = nullptr;
    methodMI.hdl = nullptr;
    for (auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        EXPECT_EQ(call().rc, CMPI_RC_ERR_INVALID_HANDLE);
    }
    EXPECT_EQ(probe.reached, "");
    EXPECT_EQ(base.getUseCount(), 2u);
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

        const CMPIStatus status = instanceMI.ft->cleanup(&instanceMI, fake.context(), c.terminating);

        EXPECT_EQ(status.rc, c.rc);
        if (c.msg == nullptr)
            EXPECT_EQ(status.msg, nullptr);
        else
            EXPECT_STREQ(fake.madeText(status.msg), c.msg);
        EXPECT_EQ(probe.cleanups, c.cleanups);
        EXPECT_EQ(probe.destroyed, c.destroyed);
        EXPECT_EQ(base.getUseCount(), c.usersAfter);
        EXPECT_EQ(base.getBaseMI(), c.destroyed ? nullptr : provider);
        // The record forgets the object exactly when this MI's use has ended,
        // so that a stray later call cannot reach freed memory.
        const bool ended = c.destroyed || c.usersAfter < c.users;
        EXPECT_EQ(instanceMI.hdl, ended ? nullptr : static_cast<CmpiBaseMI*>(provider));
        if (!probe.destroyed)
            delete provider;
        provider = nullptr;
    }
}

// sfcb and OpenPegasus read a CMPI_chars value's pointer as the char
// pointer itself; a pointer to a CMPIValue holding it would be read as text.
TEST_F(CmpiDriveTest, ValuesEnterTheBrokerInTheirCmpiForm)
{
    CmpiBroker::setCurrent(fake.broker());
    CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
    CmpiInstance inst(op);
    CmpiArgs args(fake.args());
    CmpiResult result(fake.result());
    const std::pair<const char*, std::function<void(const CmpiData&)>> channels[] = {
        {"addKey", [&](const CmpiData& d) { op.setKey("InstanceID", d); }},
        {"setProperty", [&](const CmpiData& d) { inst.setProperty("Comment", d); }},
        {"addArg", [&](const CmpiData& d) { args.setArg("Name", d); }},
        {"returnData", [&](const CmpiData& d) { result.returnData(d); }},
    };
    const std::string text = "Samba:public";
    for (const auto& [channel, give] : channels) {
        SCOPED_TRACE(channel);
        give(CmpiData(text.c_str()));
        EXPECT_EQ(fake.last.type, CMPI_chars);
        EXPECT_EQ(fake.last.text, text);
        give(CmpiData(static_cast<const char*>(nullptr)));
        EXPECT_EQ(fake.last.type, CMPI_string);
        EXPECT_TRUE(fake.last.null);
        give(CmpiData(CMPIUint16(3)));
        EXPECT_EQ(fake.last.type, CMPI_uint16);
        EXPECT_EQ(fake.last.value.uint16, 3);
    }
    CmpiBroker::setCurrent(nullptr);
}

}  // namespace
