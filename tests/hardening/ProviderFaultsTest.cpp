// The provider against the faults around it: an smb.conf that cannot be
// read, a factory called twice, an InstanceID of the wrong type.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "tests/support/Child.h"
#include "tests/support/ProviderHost.h"

namespace {

// body's text from a forked child that must end within 10 s: a hang fails.
std::string within10s(const std::function<std::string()>& body)
{
    const testfs::ChildOutcome child = testfs::RunInChild(body, 10);
    return child.exited ? child.text : "killed by signal " + std::to_string(child.status);
}

// smb.conf there but unreadable: every read operation fails and names the
// file and the reason; a missing one still means no shares.
TEST(ProviderFaults, UnreadableSmbConfFailsEveryReadWithTheReason)
{
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"FIFO", [] { mkfifo(testfs::kSmbConf, 0644); }},
        {"link to /dev/zero", [] { symlink("/dev/zero", testfs::kSmbConf); }},
        {"directory", [] { mkdir(testfs::kSmbConf, 0755); }},
    };
    const std::string notRegular = "CMPI_RC_ERR_FAILED (1): Cannot read /etc/samba/smb.conf: not a regular file";
    const std::string directory = "CMPI_RC_ERR_FAILED (1): Cannot read /etc/samba/smb.conf: Is a directory";
    for (const auto& [what, prepare] : cases) {
        SCOPED_TRACE(what);
        rmdir(testfs::kSmbConf);
        testfs::removeFile(testfs::kSmbConf);
        prepare();
        const std::string answer = within10s([] {
            ProviderHost host;
            return host.enumInstanceNames(classPath()).statusText() + "\n" +
                   host.enumInstances(classPath()).statusText() + "\n" +
                   host.getInstance(sharePath("Samba:data")).statusText();
        });
        const std::string failed = std::string(what) == "directory" ? directory : notRegular;
        EXPECT_EQ(answer, failed + "\n" + failed + "\n" + failed);
    }
}

// The CIMOM may call a factory twice and get the same record: the first
// cleanup leaves the record usable for the second user.
TEST(ProviderFaults, TwoFactoryCallsThenOneCleanup)
{
    testfs::writeSmbConf("[data]\n\tpath = /srv/data\n");
    ProviderHost host;
    ASSERT_TRUE(host.loaded) << host.error;
    CMPIInstanceMI* first = host.instanceMI();
    CMPIInstanceMI* second = host.instanceMI();
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first, second);
    EXPECT_EQ(host.cleanupInstanceMI(false).rc, CMPI_RC_OK);
    EXPECT_NE(first->hdl, nullptr);
    EXPECT_EQ(host.enumInstanceNames(classPath()).kinds(), "path,done");
    EXPECT_EQ(host.cleanupInstanceMI(false).rc, CMPI_RC_OK);
    EXPECT_EQ(first->hdl, nullptr);
}

TEST(ProviderFaults, InstanceIdOfAnotherTypeIsATypeMismatch)
{
    testfs::writeSmbConf("[data]\n\tpath = /srv/data\n");
    ProviderHost host;
    ASSERT_TRUE(host.loaded) << host.error;
    const vhost::CallResult result = host.getInstance(classPath().addKey("InstanceID", vhost::Value::uint32(7)));
    EXPECT_EQ(result.rc, CMPI_RC_ERR_TYPE_MISMATCH);
    EXPECT_TRUE(result.sequence.empty());
}

}  // namespace
