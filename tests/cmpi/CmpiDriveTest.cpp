// The bindings as a CIMOM drives them, through function tables built like
// the provider's, for what the real provider behind the real host (see
// tests/provider) cannot provoke: every kind of failure an operation ends
// with, NULL handles, the shared object's cleanup, and CMPI_chars values.
// The host's sparse (sfcb-like) broker serves them: it reads a status
// message only when its own broker made it, and a CMPI_chars value's
// pointer as the char pointer itself, as sfcb and OpenPegasus do.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
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
#include "host/Host.h"

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
    TestProvider(const CMPIBroker* mb, Probe& probe)
        : CmpiBaseMI(CmpiBroker(mb), CmpiContext(nullptr)), CmpiInstanceMI(CmpiBroker(mb), CmpiContext(nullptr)),
          CmpiMethodMI(CmpiBroker(mb), CmpiContext(nullptr)), probe_(probe)
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

using Env = vhost::Host::CallEnv;
using Entry = std::function<CMPIStatus(Env&)>;

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
        provider = new TestProvider(host.broker(), probe);
        base.setBaseMI(provider);
        provider->setProviderBase(&base);
        for (unsigned i = 0; i < users; ++i)
            base.incUseCount();
        instanceMI.hdl = static_cast<CmpiBaseMI*>(provider);
        methodMI.hdl = static_cast<CmpiBaseMI*>(provider);
    }

    // Every operation entry of both tables, called as the CIMOM calls it.
    std::vector<std::pair<std::string, Entry>> entries()
    {
        CMPIInstance* inst = nullptr;
        CMPIInstanceMI* i = &instanceMI;
        CMPIMethodMI* m = &methodMI;
        const auto op = [](Env& e) { return e.makePath(vhost::ObjectPath("root/cimv2", "X")); };
        return {
            {"enumInstanceNames", [=](Env& e) { return i->ft->enumerateInstanceNames(i, e.context, e.result, op(e)); }},
            {"enumInstances", [=](Env& e) { return i->ft->enumerateInstances(i, e.context, e.result, op(e), nullptr); }},
            {"getInstance", [=](Env& e) { return i->ft->getInstance(i, e.context, e.result, op(e), nullptr); }},
            {"createInstance", [=](Env& e) { return i->ft->createInstance(i, e.context, e.result, op(e), inst); }},
            {"setInstance",
             [=](Env& e) { return i->ft->modifyInstance(i, e.context, e.result, op(e), inst, nullptr); }},
            {"deleteInstance", [=](Env& e) { return i->ft->deleteInstance(i, e.context, e.result, op(e)); }},
            {"execQuery",
             [=](Env& e) { return i->ft->execQuery(i, e.context, e.result, op(e), "SELECT * FROM X", "WQL"); }},
            {"invokeMethod",
             [=](Env& e) {
                 CMPIArgs* args = e.broker->eft->newArgs(e.broker, nullptr);
                 return m->ft->invokeMethod(m, e.context, e.result, op(e), "Refresh", args, args);
             }},
        };
    }

    vhost::Host host{"(no library)", [] {
                         vhost::Options sparse;
                         sparse.sparse = true;
                         return sparse;
                     }()};
    Probe probe;
    CmpiProviderBase base;
    TestProvider* provider = nullptr;
    CMPIInstanceMI instanceMI{nullptr, &instanceTable};
    CMPIMethodMI methodMI{nullptr, &methodTable};
};

std::optional<std::string> message(const char* text)
{
    return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

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
            const vhost::CallResult status = host.call(call);
            EXPECT_EQ(probe.reached, operation);
            EXPECT_EQ(status.rc, c.rc);
            EXPECT_EQ(status.message, message(c.msg));
        }
    }
}

TEST_F(CmpiDriveTest, MissingHandlesAnswerInvalidHandle)
{
    load(2);
    auto calls = entries();
    calls.emplace_back("instance cleanup", [this](Env&) { return instanceMI.ft->cleanup(&instanceMI, nullptr, 0); });
    calls.emplace_back("method cleanup", [this](Env&) { return methodMI.ft->cleanup(&methodMI, nullptr, 1); });
    calls.emplace_back("NULL instance MI",
                       [](Env&) { return CmpiInstanceMI::driveDeleteInstance(nullptr, nullptr, nullptr, nullptr); });
    calls.emplace_back("NULL method MI", [](Env&) {
        return CmpiMethodMI::driveInvokeMethod(nullptr, nullptr, nullptr, nullptr, "m", nullptr, nullptr);
    });
    calls.emplace_back("NULL MI cleanup", [](Env&) {
        return CmpiBaseMI::driveBaseCleanup(static_cast<CMPIMethodMI*>(nullptr), nullptr, 1);
    });
    instanceMI.hdl = nullptr;
    methodMI.hdl = nullptr;
    for (auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        EXPECT_EQ(host.call(call).rc, CMPI_RC_ERR_INVALID_HANDLE);
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

        const vhost::CallResult status =
            host.call([&](Env& e) { return instanceMI.ft->cleanup(&instanceMI, e.context, c.terminating); });

        EXPECT_EQ(status.rc, c.rc);
        EXPECT_EQ(status.message, message(c.msg));
        EXPECT_EQ(probe.cleanups, c.cleanups);
        EXPECT_EQ(probe.destroyed, c.destroyed);
        EXPECT_EQ(base.getUseCount(), c.usersAfter);
        EXPECT_EQ(base.getBaseMI(), c.destroyed ? nullptr : provider);
        // The record keeps the object while it lives (the CIMOM may have
        // handed the same record to another user) and forgets it exactly
        // when it is deleted, so that a stray later call cannot reach freed
        // memory.
        EXPECT_EQ(instanceMI.hdl, c.destroyed ? nullptr : static_cast<CmpiBaseMI*>(provider));
        if (!probe.destroyed)
            delete provider;
        provider = nullptr;
    }
}

// sfcb and OpenPegasus read a CMPI_chars value's pointer as the char
// pointer itself; a pointer to a CMPIValue holding it would be read as text.
// Each channel hands the value on; the host records what it read.
TEST_F(CmpiDriveTest, ValuesEnterTheBrokerInTheirCmpiForm)
{
    CmpiBroker::setCurrent(host.broker());
    const std::string text = "Samba:public";
    const std::pair<CmpiData, vhost::Value> values[] = {
        {CmpiData(text.c_str()), vhost::Value::string(text)},
        {CmpiData(static_cast<const char*>(nullptr)), vhost::Value::null(CMPI_string)},
        {CmpiData(CMPIUint16(3)), vhost::Value::uint16(3)},
    };
    for (const auto& [given, expected] : values) {
        SCOPED_TRACE(expected.toString());
        const vhost::CallResult result = host.call([&, given = given](Env& e) {
            CmpiResult r(e.result);
            CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
            op.setKey("InstanceID", given);
            CmpiInstance inst(op);
            inst.setProperty("Comment", given);
            CmpiArgs args(e.broker->eft->newArgs(e.broker, nullptr));
            args.setArg("Name", given);
            r.returnData(op);
            r.returnData(inst);
            r.returnData(given);
            r.returnData(args.getArg("Name"));
            return CMPIStatus{CMPI_RC_OK, nullptr};
        });
        ASSERT_EQ(result.kinds(), "path,instance,data,data");
        EXPECT_EQ(*result.paths().at(0).key("InstanceID"), expected);
        EXPECT_EQ(*result.instances().at(0).property("Comment"), expected);
        EXPECT_EQ(result.data().at(0), expected);
        EXPECT_EQ(result.data().at(1), expected);
    }
    CmpiBroker::setCurrent(nullptr);
}

}  // namespace
