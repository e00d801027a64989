// smb.conf that cannot be read, and a backup that cannot be written: every
// function answers with a clear status and no byte of any file is lost.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "tests/support/Child.h"
#include "tests/support/ProviderHost.h"
#include "tests/support/Sandbox.h"

namespace {

enum class FileAccess { Kept, Dropped };

const std::string kConf =
    "[global]\n   workgroup = OFFICE\n\n[data]\n   path = /srv/data\n   comment = Team data\n";
const char* const kShareDir = "/etc/velmora-hardening-share";

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

void prepareProvider()
{
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Fake);
    testfs::setFakeRights(0, 0x10);
    mkdir(kShareDir, 0755);
}

int countShare(const char*, void* context)
{
    ++*static_cast<int*>(context);
    return 0;
}

int countLines(const char*, std::vector<std::string> lines, void* context)
{
    *static_cast<int*>(context) = static_cast<int>(lines.size());
    return 0;
}

std::string describe(const vhost::CallResult& result)
{
    return result.statusText() + " [" + result.kinds() + "]";
}

// Everything a caller can ask of the library, one answer per line.
std::string askEverything()
{
    std::ostringstream out;
    out << "readable " << (access(testfs::kSmbConf, R_OK) == 0 ? "yes" : "no") << "\n";
    int shares = 0;
    out << "CLIGetSambaShares " << lib().getShares(countShare, &shares) << ", shares " << shares << "\n";
    out << "CLIIsValidSambaShare " << lib().isValidShare("data") << "\n";
    char* path = nullptr;
    out << "CLISambaSharePathName " << lib().sharePathName("data", &path) << "\n";
    std::free(path);
    int lines = -1;
    lib().getShareInfo(countLines, "data", &lines);
    out << "CLIGetSambaShareInfo lines " << lines << "\n";
    out << "CLICreateSambaShare " << lib().createShare("new", kShareDir, "New") << "\n";
    out << "CLIModifyKeyValuePair " << lib().modifyKeyValue("data", "read only", "yes") << "\n";
    out << "CLIDeleteSambaShare " << lib().deleteShare("data") << "\n";
    vhost::Host host(VelmoraLibrary::path());
    if (!host.load())
        return out.str() + "provider not loaded\n";
    host.setPrincipal("root");
    out << "enumInstanceNames " << describe(host.enumInstanceNames(classPath())) << "\n";
    out << "enumInstances " << describe(host.enumInstances(classPath())) << "\n";
    out << "getInstance " << describe(host.getInstance(sharePath("Samba:data"))) << "\n";
    return out.str();
}

// The answers when there is nothing to read: no share anywhere, every edit
// refused. A missing file is a file without shares; one that is there but
// cannot be read (reason: why) fails the listing and the provider.
std::string nothingReadable(const char* readable, const char* reason)
{
    const std::string failed = std::string("CMPI_RC_ERR_FAILED (1): Cannot read /etc/samba/smb.conf: ") +
                               (reason != nullptr ? reason : "") + " []\n";
    return std::string("readable ") + readable + "\n" +
           "CLIGetSambaShares " + (reason != nullptr ? "-1" : "0") + ", shares 0\n"
           "CLIIsValidSambaShare 1\n"
           "CLISambaSharePathName -1\n"
           "CLIGetSambaShareInfo lines 0\n"
           "CLICreateSambaShare -1\n"
           "CLIModifyKeyValuePair -1\n"
           "CLIDeleteSambaShare -1\n" +
           (reason != nullptr ? "enumInstanceNames " + failed + "enumInstances " + failed + "getInstance " + failed
                              : "enumInstanceNames CMPI_RC_OK (0) [done]\n"
                                "enumInstances CMPI_RC_OK (0) [done]\n"
                                "getInstance CMPI_RC_ERR_FAILED (1): Samba share does not exist  []\n");
}

// What is at the path of smb.conf: kind, mode and content.
std::string stateOfConf()
{
    struct stat st {};
    if (lstat(testfs::kSmbConf, &st) != 0)
        return "absent";
    std::ostringstream out;
    out << std::oct << (st.st_mode & 07777) << " ";
    if (S_ISDIR(st.st_mode))
        return out.str() + "directory holding " + testfs::readFile(std::string(testfs::kSmbConf) + "/keep").value_or("-");
    return out.str() + "file holding " + testfs::readSmbConf().value_or("-");
}

void removeConf()
{
    testfs::removeFile(std::string(testfs::kSmbConf) + "/keep");
    rmdir(testfs::kSmbConf);
    testfs::removeFile(testfs::kSmbConf);
}

// Root without CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH, in its bounding
// set too (so the backup's /bin/cp lacks them as well), is held to file
// permissions like any other user. Raw capget/capset: no libcap needed.
bool dropFileAccess()
{
    const int capabilities[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, sets) != 0)
        return false;
    for (const int capability : capabilities) {
        if (prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            return false;
        const unsigned bit = 1u << (capability % 32);
        sets[capability / 32].effective &= ~bit;
        sets[capability / 32].permitted &= ~bit;
        sets[capability / 32].inheritable &= ~bit;
    }
    return syscall(SYS_capset, &header, sets) == 0;
}

// Runs body in a forked child, so that the test process keeps every right
// to inspect the files afterwards; the child's text, or why it failed.
std::string runInChild(const std::function<std::string()>& body, FileAccess access)
{
    const testfs::ChildOutcome child = testfs::RunInChild([&] {
        return access == FileAccess::Kept || dropFileAccess() ? body()
                                                               : "child failed: cannot drop the file access capabilities";
    });
    if (!child.exited || child.status != 0)
        return "child failed with status " + std::to_string(child.status) + ": " + child.text;
    return child.text;
}

TEST(ResourceFaults, UnreadableConfigurationIsNeitherListedNorEdited)
{
    struct Case {
        const char* what;
        std::function<void()> prepare;
        FileAccess access;
        const char* readable;
        const char* reason;  // nullptr: missing, not unreadable
    };
    const std::vector<Case> cases = {
        // Root without CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH is held to
        // the mode; /etc/samba itself stays writable for it.
        {"unreadable by its permissions", [] { testfs::writeFile(testfs::kSmbConf, kConf, 0); },
         FileAccess::Dropped, "no", "Permission denied"},
        {"write-only", [] { testfs::writeFile(testfs::kSmbConf, kConf, 0200); },
         FileAccess::Dropped, "no", "Permission denied"},
        {"a directory in its place",
         [] {
             mkdir(testfs::kSmbConf, 0755);
             testfs::writeFile(std::string(testfs::kSmbConf) + "/keep", kConf);
         },
         FileAccess::Kept, "yes", "Is a directory"},
        {"missing", [] {}, FileAccess::Kept, "no", nullptr},
    };
    prepareProvider();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        removeConf();
        testfs::removeFile(testfs::kBackup);
        c.prepare();
        const std::string before = stateOfConf();
        EXPECT_EQ(runInChild(askEverything, c.access), nothingReadable(c.readable, c.reason));
        EXPECT_EQ(stateOfConf(), before);
        EXPECT_FALSE(testfs::exists(testfs::kBackup));
        EXPECT_EQ(testfs::countEntries("/etc/samba", ".smb.conf.velmora-"), 0);
    }
}

// Undoes a mount on the backup's path when the case is done.
struct BackupMount {
    ~BackupMount() { umount2(testfs::kBackup, MNT_DETACH); }
};

// What is at the path of the backup: a file's content or a link's target.
std::string stateOfBackup()
{
    char target[256] = {};
    if (readlink(testfs::kBackup, target, sizeof target - 1) > 0)
        return std::string("link to ") + target;
    return testfs::readBackup().value_or("absent");
}

// The backup is the administrator's undo: when it cannot be made, the edit
// is not made either, and the old backup is neither truncated nor half
// overwritten. A link at the backup's path is replaced by the backup, never
// written through.
TEST(ResourceFaults, UnwritableBackupLeavesTheOldBackupWhole)
{
    struct Edit {
        const char* what;
        std::function<int()> call;
        std::string after;
    };
    prepareProvider();
    const std::vector<Edit> edits = {
        {"create", [] { return lib().createShare("new", kShareDir, "New"); },
         kConf + "\n[new]\n\tpath = " + kShareDir + "\n\tcomment = New\n"},
        {"modify", [] { return lib().modifyKeyValue("data", "read only", "yes"); },
         "[global]\n   workgroup = OFFICE\n\n[data]\n   path = /srv/data\n\tread only = yes\n"
         "   comment = Team data\n"},
        {"delete", [] { return lib().deleteShare("data"); }, "[global]\n   workgroup = OFFICE\n\n"},
    };
    struct Fault {
        const char* what;
        std::function<void()> prepare;
        bool backupMade;
    };
    const std::vector<Fault> faults = {
        {"read-only backup file",
         [] {
             testfs::writeFile(testfs::kBackup, "the backup of an earlier edit\n");
             std::string error;
             ASSERT_TRUE(sandbox::makeReadOnly(testfs::kBackup, error)) << error;
         },
         false},
        {"dangling symbolic link", [] { symlink("/etc/samba/nowhere/smb.conf", testfs::kBackup); }, true},
    };
    for (const Fault& fault : faults) {
        for (const Edit& edit : edits) {
            SCOPED_TRACE(std::string(fault.what) + ", " + edit.what);
            testfs::writeSmbConf(kConf);
            testfs::removeFile(testfs::kBackup);
            fault.prepare();
            BackupMount mounted;
            const std::string backup = stateOfBackup();
            EXPECT_EQ(edit.call(), fault.backupMade ? 0 : -1);
            EXPECT_EQ(testfs::readSmbConf(), fault.backupMade ? edit.after : kConf);
            EXPECT_EQ(stateOfBackup(), fault.backupMade ? kConf : backup);
            EXPECT_FALSE(testfs::exists("/etc/samba/nowhere/smb.conf"));
            EXPECT_EQ(testfs::countEntries("/etc/samba", ".smb.conf"), 0);
        }
    }
}

}  // namespace
