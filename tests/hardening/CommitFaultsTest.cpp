// The commit step under hostile or unlucky conditions: what is at the path
// of smb.conf or of its backup, a full file system at every point, a killed
// editor, a memory limit, attributes, hard links and a bind mount. Whatever
// happens, the call returns, says so, and no byte of either file is lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "tests/support/Child.h"
#include "tests/support/ProviderHost.h"
#include "tests/support/Sandbox.h"

namespace {

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

const std::string kConf = "[global]\n\tworkgroup = W\n\n[data]\n\tpath = /srv/data\n";
const std::string kModified = "[global]\n\tworkgroup = W\n\n[data]\n\tread only = yes\n\tpath = /srv/data\n";
const char* const kShareDir = "/etc/velmora-commit-share";

int modify() { return lib().modifyKeyValue("data", "read only", "yes"); }

int countShare(const char*, void* context)
{
    ++*static_cast<int*>(context);
    return 0;
}

// Runs body in a forked child that must end within seconds (alarm): a hang
// fails the test instead of blocking it. The child's text, or how it died.
std::string within(int seconds, const std::function<std::string()>& body)
{
    const testfs::ChildOutcome child = testfs::RunInChild(body, static_cast<unsigned>(seconds));
    if (!child.exited)
        return "killed by signal " + std::to_string(child.status) + (child.status == SIGALRM ? " (hang)" : "");
    return child.text;
}

// Every share function once, one answer per line.
std::string everyCall()
{
    int shares = 0;
    std::string out = "list " + std::to_string(lib().getShares(countShare, &shares));
    out += " valid " + std::to_string(lib().isValidShare("data"));
    char* path = nullptr;
    out += " path " + std::to_string(lib().sharePathName("data", &path));
    std::free(path);
    out += " create " + std::to_string(lib().createShare("new", kShareDir, "c"));
    out += " modify " + std::to_string(modify());
    out += " delete " + std::to_string(lib().deleteShare("data"));
    return out;
}

void clearSambaDir()
{
    umount2(testfs::kSmbConf, MNT_DETACH);
    umount2(testfs::kBackup, MNT_DETACH);
    for (const char* path : {testfs::kSmbConf, testfs::kBackup}) {
        testfs::removeFile(std::string(path) + "/keep");
        rmdir(path);
        testfs::removeFile(path);
    }
}

std::string kindAt(const char* path)
{
    struct stat st {};
    if (lstat(path, &st) != 0)
        return "absent";
    if (S_ISLNK(st.st_mode))
        return "link";
    if (S_ISFIFO(st.st_mode))
        return "fifo";
    if (S_ISDIR(st.st_mode))
        return "directory";
    return "file " + testfs::readFile(path).value_or("?");
}

int temporaries() { return testfs::countEntries("/etc/samba", ".smb.conf"); }

TEST(CommitFaults, SmbConfThatIsNoRegularFileNeverBlocks)
{
    mkdir(kShareDir, 0755);
    const std::string refused = "list -1 valid 1 path -1 create -1 modify -1 delete -1";
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"FIFO", [] { mkfifo(testfs::kSmbConf, 0644); }},
        {"link to /dev/zero", [] { symlink("/dev/zero", testfs::kSmbConf); }},
        {"directory", [] { mkdir(testfs::kSmbConf, 0755); }},
    };
    for (const auto& [what, prepare] : cases) {
        SCOPED_TRACE(what);
        clearSambaDir();
        prepare();
        const std::string before = kindAt(testfs::kSmbConf);
        EXPECT_EQ(within(10, everyCall), refused);
        EXPECT_EQ(kindAt(testfs::kSmbConf), before);
        EXPECT_EQ(kindAt(testfs::kBackup), "absent");
        EXPECT_EQ(temporaries(), 0);
    }
    clearSambaDir();
}

// A huge file read under an address-space limit: the allocation fails, and
// the functions answer their failure code instead of aborting the caller.
TEST(CommitFaults, AddressSpaceLimitGivesAFailureCodeNotAnAbort)
{
    // AddressSanitizer and valgrind reserve far more address space than the
    // limit leaves: there the limit would test them, not the library.
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit";
#endif
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload != nullptr && std::string(preload).find("vgpreload") != std::string::npos)
        GTEST_SKIP() << "valgrind needs more address space than the limit";
    clearSambaDir();
    testfs::writeSmbConf(kConf);
    ASSERT_EQ(truncate(testfs::kSmbConf, 3LL << 30), 0);  // sparse: no space used
    const std::string answer = within(30, [] {
        lib();  // loaded before the limit
        const rlimit limit{1LL << 30, 1LL << 30};
        setrlimit(RLIMIT_AS, &limit);
        return everyCall();
    });
    EXPECT_EQ(answer, "list -1 valid 1 path -1 create -1 modify -1 delete -1");
    EXPECT_EQ(kindAt(testfs::kBackup), "absent");
    clearSambaDir();
}

// Whatever stands at the backup's path is replaced by a complete backup or,
// where it cannot be, the edit is refused: never written through, never
// blocking, never into a directory.
TEST(CommitFaults, WhatIsAtTheBackupPath)
{
    struct Case {
        const char* what;
        std::function<void()> prepare;
        int code;
        std::string backupAfter;  // kindAt
    };
    const std::string kept = "/etc/samba-elsewhere";
    mkdir(kept.c_str(), 0755);
    const std::vector<Case> cases = {
        {"FIFO", [] { mkfifo(testfs::kBackup, 0644); }, 0, "file " + kConf},
        {"link to /dev/zero", [] { symlink("/dev/zero", testfs::kBackup); }, 0, "file " + kConf},
        {"link to a file",
         [&] {
             testfs::writeFile(kept + "/precious", "precious\n");
             symlink((kept + "/precious").c_str(), testfs::kBackup);
         },
         0, "file " + kConf},
        {"directory",
         [] {
             mkdir(testfs::kBackup, 0755);
             testfs::writeFile(std::string(testfs::kBackup) + "/keep", "kept\n");
         },
         -1, "directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearSambaDir();
        testfs::writeSmbConf(kConf);
        c.prepare();
        EXPECT_EQ(within(10, [] { return std::to_string(modify()); }), std::to_string(c.code));
        EXPECT_EQ(testfs::readSmbConf(), c.code == 0 ? kModified : kConf);
        EXPECT_EQ(kindAt(testfs::kBackup), c.backupAfter);
        EXPECT_EQ(testfs::readFile(kept + "/precious").value_or("precious\n"), "precious\n");
        EXPECT_EQ(temporaries(), 0);
    }
    EXPECT_EQ(testfs::readFile(std::string(testfs::kBackup) + "/keep"), "kept\n");
    EXPECT_FALSE(testfs::exists(std::string(testfs::kBackup) + "/smb.conf"));
    clearSambaDir();
}

// The backup has smb.conf's mode and owner, not those of an older backup.
TEST(CommitFaults, BackupTakesTheModeAndOwnerOfSmbConf)
{
    clearSambaDir();
    testfs::writeFile(testfs::kSmbConf, kConf, 0600);
    ASSERT_EQ(chown(testfs::kSmbConf, 1234, 4321), 0);
    testfs::writeFile(testfs::kBackup, "old backup\n", 0644);
    EXPECT_EQ(modify(), 0);
    struct stat st {};
    ASSERT_EQ(stat(testfs::kBackup, &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 4321u);
    EXPECT_EQ(testfs::readBackup(), kConf);
}

void fill(const std::string& path, size_t leave)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string chunk(4096, 'x');
    while (write(fd, chunk.data(), chunk.size()) > 0) {
    }
    close(fd);
    // Give back about leave bytes, in pages.
    struct stat st {};
    stat(path.c_str(), &st);
    ASSERT_EQ(truncate(path.c_str(), st.st_size > static_cast<off_t>(leave) ? st.st_size - static_cast<off_t>(leave) : 0), 0);
}

// A full file system at every point of the backup and of the replace: the
// edit either lands whole, with the old file as its backup, or fails with
// smb.conf and the previous backup as they were.
TEST(CommitFaults, FullFileSystemAtEveryPoint)
{
    std::string conf = "[global]\n\tworkgroup = W\n";
    for (int i = 0; i < 400; ++i)
        conf += "\n[s" + std::to_string(i) + "]\n\tpath = /srv/s" + std::to_string(i) + "\n";
    conf += "\n[data]\n\tpath = /srv/data\n";
    const std::string oldBackup = "an earlier backup\n";
    int landed = 0, refused = 0;
    for (size_t leave = 0; leave <= 7 * 4096; leave += 2048) {
        SCOPED_TRACE(leave);
        std::string error;
        ASSERT_TRUE(sandbox::mountTmpfs("/etc/samba", "size=256k", error)) << error;
        testfs::writeSmbConf(conf);
        testfs::writeFile(testfs::kBackup, oldBackup);
        fill("/etc/samba/filler", leave);
        const int code = modify();
        const std::optional<std::string> now = testfs::readSmbConf();
        const std::optional<std::string> backup = testfs::readBackup();
        if (code == 0) {
            ++landed;
            EXPECT_NE(now, conf);
            EXPECT_EQ(backup, conf);
        } else {
            ++refused;
            EXPECT_EQ(code, -1);
            EXPECT_EQ(now, conf);
            EXPECT_EQ(backup, oldBackup);
        }
        EXPECT_EQ(temporaries(), 0);
        umount2("/etc/samba", MNT_DETACH);
    }
    EXPECT_GT(landed, 0);
    EXPECT_GT(refused, 0);
}

// Extended attributes, a POSIX ACL and a security label stay on smb.conf
// through every kind of edit, and the backup carries them too.
TEST(CommitFaults, AttributesAndHardLinksSurviveEdits)
{
    clearSambaDir();
    mkdir(kShareDir, 0755);
    testfs::writeSmbConf(kConf);
    const std::vector<std::pair<std::string, std::string>> attributes = {
        {"user.velmora", "kept"}, {"security.velmora", "label"}, {"trusted.velmora", "t"}};
    for (const auto& [name, value] : attributes)
        ASSERT_EQ(setxattr(testfs::kSmbConf, name.c_str(), value.data(), value.size(), 0), 0) << name;
    ASSERT_EQ(system("setfacl -m u:1234:rw /etc/samba/smb.conf"), 0);
    const auto acl = [](const char* path) {
        char value[256];
        const ssize_t size = getxattr(path, "system.posix_acl_access", value, sizeof value);
        return size < 0 ? std::string("none") : std::string(value, static_cast<size_t>(size));
    };
    const std::string aclBefore = acl(testfs::kSmbConf);
    const std::vector<std::pair<const char*, std::function<int()>>> edits = {
        {"create", [] { return lib().createShare("new", kShareDir, "c"); }},
        {"modify", modify},
        {"delete", [] { return lib().deleteShare("new"); }},
    };
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        ASSERT_EQ(edit(), 0);
        for (const char* path : {testfs::kSmbConf, testfs::kBackup}) {
            for (const auto& [name, value] : attributes) {
                char got[64] = {};
                EXPECT_EQ(getxattr(path, name.c_str(), got, sizeof got), static_cast<ssize_t>(value.size())) << path << name;
                EXPECT_EQ(std::string(got), value);
            }
            EXPECT_EQ(acl(path), aclBefore) << path;
        }
    }
    // A second name for the file: the edit reaches both, the inode stays.
    const char* const other = "/etc/samba/smb.conf.link";
    ASSERT_EQ(link(testfs::kSmbConf, other), 0);
    struct stat before {}, after {};
    stat(testfs::kSmbConf, &before);
    ASSERT_EQ(lib().modifyKeyValue("data", "comment", "linked"), 0);
    stat(testfs::kSmbConf, &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(testfs::readFile(other), testfs::readSmbConf());
    EXPECT_NE(testfs::readSmbConf()->find("comment = linked"), std::string::npos);
    testfs::removeFile(other);
}

// smb.conf bind-mounted from elsewhere, as a container gets it: rename is
// impossible (EBUSY), so the file is rewritten in place.
TEST(CommitFaults, BindMountedSmbConfIsRewrittenInPlace)
{
    clearSambaDir();
    const std::string host = "/etc/velmora-host-smb.conf";
    testfs::writeFile(host, kConf);
    testfs::writeSmbConf("placeholder\n");
    ASSERT_EQ(mount(host.c_str(), testfs::kSmbConf, nullptr, MS_BIND, nullptr), 0);
    EXPECT_EQ(modify(), 0);
    EXPECT_EQ(testfs::readFile(host), kModified);
    EXPECT_EQ(testfs::readSmbConf(), kModified);
    EXPECT_EQ(testfs::readBackup(), kConf);
    EXPECT_EQ(temporaries(), 0);
    umount2(testfs::kSmbConf, MNT_DETACH);
}

// An editor killed while Samba's parser runs leaves no process behind: the
// parser dies with it. A stand-in testparm records its pid and sleeps.
TEST(CommitFaults, KilledEditorLeavesNoChild)
{
    clearSambaDir();
    testfs::writeSmbConf(kConf);
    const std::string script = "/etc/velmora-slow-testparm";
    testfs::writeFile(script, "#!/bin/sh\necho $$ > /etc/velmora-testparm.pid\nexec sleep 60\n", 0755);
    ASSERT_EQ(mount(script.c_str(), "/usr/bin/testparm", nullptr, MS_BIND, nullptr), 0);
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);  // orphans come to us
    testfs::removeFile("/etc/velmora-testparm.pid");
    const pid_t editor = fork();
    if (editor == 0)
        _exit(modify() == 0 ? 0 : 1);
    std::optional<std::string> pidText;
    for (int i = 0; i < 500 && !(pidText = testfs::readFile("/etc/velmora-testparm.pid")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(pidText);
    kill(editor, SIGKILL);
    waitpid(editor, nullptr, 0);
    const pid_t parser = std::atoi(pidText->c_str());
    int status = 0;
    pid_t reaped = 0;
    for (int i = 0; i < 300 && (reaped = waitpid(parser, &status, WNOHANG)) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(reaped, parser);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(testfs::readSmbConf(), kConf);
    EXPECT_EQ(kindAt(testfs::kBackup), "absent");
    umount2("/usr/bin/testparm", MNT_DETACH);
}

}  // namespace
