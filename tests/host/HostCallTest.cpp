// One MI call through the host: what it records of a provider's results (the
// strict acceptance rules, copied values, CMPI_chars passed as the pointer
// itself), what it hands in, and the objects it owns for the call's length,
// also with several threads calling at once.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "host/Host.h"
#include "tests/host/FakeLibrary.h"

using vhost::CallResult;
using vhost::Host;
using vhost::ObjectPath;
using vhost::Value;

namespace {

enum class Op { Names, Instances, Get, Create, Modify, Invoke };

CallResult runOp(Host& host, Op op, const ObjectPath& path)
{
    switch (op) {
    case Op::Names: return host.enumInstanceNames(path);
    case Op::Instances: return host.enumInstances(path);
    case Op::Get: return host.getInstance(path);
    case Op::Create: return host.createInstance(path, vhost::Instance{});
    case Op::Modify: return host.modifyInstance(path, vhost::Instance{});
    case Op::Invoke: return host.invokeMethod(path, "Run");
    }
    return {};
}

std::optional<std::string> message(const std::string& text) { return text; }

class HostCall : public testing::Test {
protected:
    void SetUp() override { fake_reset(); }
};

TEST_F(HostCall, RecordsAcceptedAndRefusedItemsInOrder)
{
    struct Case {
        Op op;
        const char* scenario;
        bool strict;
        const char* kinds;
        const char* rejected;
        const char* codes;  // the rc of each return call, as the provider saw them
    };
    const Case cases[] = {
        {Op::Names, "Paths", true, "path,path,done", "", "0,0,0"},
        {Op::Names, "Mixed", true, "path,done", "instance,data", "0,7,7,0"},
        {Op::Create, "Mixed", true, "path,done", "instance,data", "0,7,7,0"},
        {Op::Instances, "Mixed", true, "instance,done", "path,data", "7,0,7,0"},
        {Op::Get, "Mixed", true, "instance,done", "path,data", "7,0,7,0"},
        {Op::Invoke, "Mixed", true, "data,done", "path,instance", "7,7,0,0"},
        {Op::Modify, "Mixed", true, "done", "path,instance,data", "7,7,7,0"},
        {Op::Names, "Mixed", false, "path,instance,data,done", "", "0,0,0,0"},
        // Strict refuses everything after returnDone, fitting kinds with FAILED.
        {Op::Names, "AfterDone", true, "path,done", "instance,data,path,instance,data", "0,7,7,0,1,7,7"},
        {Op::Names, "AfterDone", false, "path,instance,data,done,path,instance,data", "", "0,0,0,0,0,0,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scenario) + (c.strict ? " strict" : " accepting"));
        Host host(fake::kProvider, fake::options(c.strict));
        const CallResult result = runOp(host, c.op, ObjectPath("root/test", c.scenario));
        EXPECT_EQ(CMPI_RC_OK, result.rc);
        EXPECT_EQ(c.kinds, result.kinds());
        EXPECT_EQ(c.rejected, fake::rejectedKinds(result));
        EXPECT_EQ(message(c.codes), result.message);
    }
}

TEST_F(HostCall, CopiesEveryKindOfValueAsTheProviderSetIt)
{
    Host host(fake::kProvider, fake::options());
    const CallResult result = host.enumInstances(ObjectPath("root/test", "Values"));

    // setElementAt: uint32 into a string array is a mismatch (13), index 3 of 3 is out of range (12);
    // getProperty answers CMPI_string (5632) for a value set as CMPI_chars.
    EXPECT_EQ(message("0,0,0,0,0,0,0,0,0,13,12,0,0,5632,0,0,0"), result.message);
    ASSERT_EQ("instance,done", result.kinds());
    const vhost::Instance inst = result.instances().at(0);
    EXPECT_EQ("root/test:Values", inst.path.toString());
    EXPECT_EQ("instance of Values {\n"
              "    InstanceID = \"Samba:data\";\n"
              "    Count = 4;\n"
              "    Flag = true;\n"
              "    Note = \"say \\\"hi\\\"\\n\";\n"
              "    Missing = NULL;\n"
              "    Owner = \"root/fake:Paths.InstanceID=\\\"Fake:a\\\"\";\n"
              "    Tags = {\"a\", \"b\", NULL};\n"
              "    When = \"20240102030405.000006+060\";\n"
              "};",
              inst.toMof());
    EXPECT_EQ(CMPI_string, inst.property("instanceid")->type);
    EXPECT_EQ(CMPI_uint32, inst.property("Count")->type);
    EXPECT_EQ(Value::null(CMPI_string), *inst.property("Missing"));
    EXPECT_EQ("Fake:a", inst.property("Owner")->ref->key("instanceID")->text);
}

// The provider tests tell a missing principal from one whose text is NULL
// only if the host hands them in that way.
TEST_F(HostCall, HandsThePrincipalInAsConfigured)
{
    struct Case {
        const char* name;
        std::function<void(Host&)> configure;
        const char* seen;
    };
    const Case cases[] = {
        {"user", [](Host& h) { h.setPrincipal("alice"); }, "user:alice"},
        {"default is absent", [](Host&) {}, "absent:12"},
        {"cleared", [](Host& h) { h.setPrincipal("alice"); h.clearPrincipal(); }, "absent:12"},
        {"string without text", [](Host& h) { h.setNullPrincipal(); }, "nulltext"},
        {"entry replaced", [](Host& h) { h.setPrincipal("a"); h.setContextEntry(CMPIPrincipal, Value::uint32(5)); },
         "type:160"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host host(fake::kProvider, fake::options());
        c.configure(host);
        EXPECT_EQ(message(c.seen), host.enumInstanceNames(ObjectPath("root/test", "Principal")).message);
    }
}

TEST_F(HostCall, StatusesArgumentsAndExceptionsCrossTheCall)
{
    Host host(fake::kProvider, fake::options());
    const CallResult failed = host.getInstance(ObjectPath("root/test", "Fail"));
    EXPECT_EQ(CMPI_RC_ERR_FAILED, failed.rc);
    EXPECT_EQ(message("boom"), failed.message);  // read before the call's objects went
    EXPECT_EQ("CMPI_RC_ERR_FAILED (1): boom", failed.statusText());

    const CallResult unknown = host.getInstance(ObjectPath("root/test", "NoSuchScenario"));
    EXPECT_EQ(CMPI_RC_ERR_INVALID_CLASS, unknown.rc);
    EXPECT_EQ(std::nullopt, unknown.message);

    const CallResult invoked =
        host.invokeMethod(ObjectPath("root/test", "Mixed"), "Run", {{"in", Value::string("hi")}});
    ASSERT_EQ(1u, invoked.outArgs.size());
    EXPECT_EQ("echo", invoked.outArgs[0].first);
    EXPECT_EQ(Value::string("hi"), invoked.outArgs[0].second);
    EXPECT_EQ("5", invoked.data().at(0).toString());

    const CallResult thrown = host.enumInstanceNames(ObjectPath("root/test", "Throw"));
    EXPECT_TRUE(thrown.threw);
    EXPECT_EQ(CMPI_RC_ERR_FAILED, thrown.rc);
    EXPECT_EQ(0u, host.liveObjects());
}

// Release of an arena object: OK; of the same, now dead, pointer:
// INVALID_HANDLE (60); of the path and context handed in: OK and harmless
// (the path still answers). A clone lives until the provider releases it.
TEST_F(HostCall, ObjectsOfACallGoWhenItReturnsClonesWhenReleased)
{
    Host host(fake::kProvider, fake::options());
    EXPECT_EQ(message("0,60,0,0,0:Arena"), host.enumInstanceNames(ObjectPath("root/test", "Arena")).message);
    EXPECT_EQ(0u, host.liveObjects());
    EXPECT_EQ(message("0:kept"), host.enumInstanceNames(ObjectPath("root/test", "Clone")).message);
    EXPECT_EQ(1u, host.liveObjects());
    EXPECT_EQ(message("0"), host.enumInstanceNames(ObjectPath("root/test", "Clone")).message);
    EXPECT_EQ(0u, host.liveObjects());
}

// Each thread first obtains an MI of its own (two factory calls at once),
// then calls operations, which use a live MI instead of a third.
TEST_F(HostCall, ThreadsCallAtOnceEachInItsOwnArena)
{
    Host host(fake::kProvider, fake::options());
    std::vector<int> wrong(2, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            wrong[t] += host.instanceMI() == nullptr;
            for (int i = 0; i < 200; ++i) {
                const CallResult paths = host.enumInstanceNames(ObjectPath("root/test", "Paths"));
                const CallResult arena = host.enumInstanceNames(ObjectPath("root/test", "Arena"));
                wrong[t] += paths.kinds() != "path,path,done" || arena.message != message("0,60,0,0,0:Arena");
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, wrong[0]);
    EXPECT_EQ(0, wrong[1]);
    EXPECT_EQ(2, fake_factoryCalls());
    EXPECT_EQ(0u, host.liveObjects());
}

}  // namespace
