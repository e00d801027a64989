// Object ownership: the per-call arena, release(), clones, handles that are
// NULL or dead, and calls from several threads at once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/Host.h"
#include "tests/host/FakeLibrary.h"

using vhost::CallResult;
using vhost::Host;
using vhost::ObjectPath;

namespace {

class HostArena : public testing::Test {
protected:
    void SetUp() override { fake::Controls::get().reset(); }
};

std::optional<std::string> message(const std::string& text) { return text; }

TEST_F(HostArena, ObjectsOfACallGoWhenItReturns)
{
    Host host(fake::kProvider, fake::options());
    // Release of an arena object: OK; of the same, now dead, pointer: INVALID_HANDLE;
    // of the path and context handed in: OK and harmless (the path still answers).
    const CallResult result = host.enumInstanceNames(ObjectPath("root/test", "Arena"));
    EXPECT_EQ(message("0,60,0,0,0:Arena"), result.message);
    EXPECT_EQ(0u, host.liveObjects());
}

TEST_F(HostArena, ACloneLivesUntilTheProviderReleasesIt)
{
    Host host(fake::kProvider, fake::options());
    EXPECT_EQ(message("0:kept"), host.enumInstanceNames(ObjectPath("root/test", "Clone")).message);
    EXPECT_EQ(1u, host.liveObjects());
    EXPECT_EQ(message("0"), host.enumInstanceNames(ObjectPath("root/test", "ReleaseClone")).message);
    EXPECT_EQ(0u, host.liveObjects());
}

TEST_F(HostArena, NullObjectsAndNullStatusPointersAreAnswered)
{
    Host host(fake::kProvider, fake::options());
    const CallResult result = host.enumInstanceNames(ObjectPath("root/test", "Nulls"));
    EXPECT_EQ(message("60,60,60,60,60,60,60"), result.message);
    EXPECT_EQ(0u, host.liveObjects());
}

TEST_F(HostArena, CallRunsCodeInAnArenaOfItsOwn)
{
    Host host(fake::kProvider, fake::options());
    size_t liveInside = 0;
    const CallResult result = host.call([&](Host::CallEnv& env) {
        CMPIObjectPath* path = env.makePath(ObjectPath("root/test", "P").addKey("Id", vhost::Value::sint32(-3)));
        env.result->ft->returnObjectPath(env.result, path);
        CMPIValue flag;
        flag.boolean = 1;
        env.result->ft->returnData(env.result, &flag, CMPI_boolean);
        liveInside = host.liveObjects();
        return CMPIStatus{CMPI_RC_ERR_FAILED, env.broker->eft->newString(env.broker, "late", nullptr)};
    });
    EXPECT_GT(liveInside, 0u);
    EXPECT_EQ(0u, host.liveObjects());
    EXPECT_EQ("path,data", result.kinds());
    EXPECT_EQ("root/test:P.Id=-3", result.paths().at(0).toString());
    EXPECT_EQ(message("late"), result.message);
}

TEST_F(HostArena, ThreadsCallAtOnceEachInItsOwnArena)
{
    Host host(fake::kProvider, fake::options());
    std::vector<CMPIInstanceMI*> mis(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&, t] { mis[t] = host.instanceMI(); });
    for (std::thread& thread : threads)
        thread.join();
    threads.clear();
    EXPECT_NE(nullptr, mis[0]);
    EXPECT_NE(nullptr, mis[1]);
    EXPECT_EQ(2, fake::Controls::get().factoryCalls());

    std::vector<int> wrong(2, 0);
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
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
    EXPECT_EQ(0u, host.liveObjects());
}

}  // namespace
