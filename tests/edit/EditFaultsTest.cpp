// Failures while writing smb.conf leave it exactly as it was, with no
// temporary file; a successful edit keeps the file's mode, owner and group.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>

#include "tests/edit/EditSupport.h"
#include "tests/support/Files.h"
#include "tests/support/Sandbox.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

// Undoes a mount on /etc/samba.
struct SambaDirMount {
    ~SambaDirMount() { umount2("/etc/samba", MNT_DETACH); }
};

// Enough sections that the rewrite needs more than the space left.
std::string sizableConf()
{
    std::string text = "[global]\n\tworkgroup = WORK\n";
    for (int i = 0; i < 60; ++i)
        text += "\n[s" + std::to_string(i) + "]\n\tpath = /srv/s" + std::to_string(i) + "\n";
    return text;
}

void fillFileSystem(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string chunk(512, 'x');
    while (write(fd, chunk.data(), chunk.size()) > 0) {
    }
    close(fd);
}

const std::vector<std::pair<const char*, std::function<int()>>>& edits()
{
    static const std::vector<std::pair<const char*, std::function<int()>>> calls = {
        {"create", [] { return lib().createShare("new", edittest::sharePaths().directory.c_str(), "c"); }},
        {"modify absent", [] { return lib().modifyKeyValue("s1", "read only", "no"); }},
        {"modify differs", [] { return lib().modifyKeyValue("s1", "path", "/elsewhere"); }},
        {"delete", [] { return lib().deleteShare("s1"); }},
    };
    return calls;
}

// Each fault covers /etc/samba for one pass over the edits; the mount goes
// again afterwards, so that a whole binary run in one process stays sound.
TEST(EditFaults, FullFileSystemOrReadOnlyDirectoryLeavesTheFileAsItWas)
{
    edittest::sharePaths();  // made before /etc/samba is covered
    const std::string before = sizableConf();
    const std::vector<std::pair<const char*, std::function<bool(std::string&)>>> faults = {
        {"full file system",
         [&](std::string& error) {
             const bool mounted = sandbox::mountTmpfs("/etc/samba", "size=16k", error);
             testfs::writeSmbConf(before);
             fillFileSystem("/etc/samba/filler");
             return mounted;
         }},
        {"read-only directory",
         [&](std::string& error) {
             testfs::writeSmbConf(before);
             return sandbox::makeReadOnly("/etc/samba", error);
         }},
    };
    for (const auto& [fault, cover] : faults) {
        SCOPED_TRACE(fault);
        std::string error;
        ASSERT_TRUE(cover(error)) << error;
        SambaDirMount mounted;
        for (const auto& [what, edit] : edits()) {
            SCOPED_TRACE(what);
            EXPECT_EQ(edit(), -1);
            EXPECT_EQ(testfs::readSmbConf(), before);
            EXPECT_EQ(edittest::temporaries(), 0);
        }
    }
}

TEST(EditFaults, ModeOwnerAndGroupSurviveEveryEdit)
{
    testfs::writeFile(testfs::kSmbConf, sizableConf(), 0640);
    ASSERT_EQ(chown(testfs::kSmbConf, 1234, 4242), 0);
    for (const auto& [what, edit] : edits()) {
        SCOPED_TRACE(what);
        EXPECT_EQ(edit(), 0);
        struct stat st {};
        ASSERT_EQ(stat(testfs::kSmbConf, &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(st.st_uid, 1234u);
        EXPECT_EQ(st.st_gid, 4242u);
        EXPECT_EQ(edittest::temporaries(), 0);
    }
}

// An administrator's smb.conf that links to a file kept elsewhere: every edit
// lands in that file and the link stays, with no temporary file left in
// either directory.
TEST(EditFaults, SymlinkedSmbConfStaysALinkAndItsFileIsEdited)
{
    const std::string kept = "/etc/samba-kept/smb.conf";
    ASSERT_EQ(mkdir("/etc/samba-kept", 0755) == 0 || errno == EEXIST, true);
    testfs::writeFile(kept, sizableConf());
    testfs::removeFile(testfs::kSmbConf);
    ASSERT_EQ(symlink(kept.c_str(), testfs::kSmbConf), 0);
    struct Restore {
        ~Restore() { testfs::removeFile(testfs::kSmbConf); }
    } restore;
    for (const auto& [what, edit] : edits()) {
        SCOPED_TRACE(what);
        const std::optional<std::string> before = testfs::readFile(kept);
        EXPECT_EQ(edit(), 0);
        struct stat st {};
        ASSERT_EQ(lstat(testfs::kSmbConf, &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        EXPECT_NE(testfs::readFile(kept), before);
        EXPECT_EQ(testfs::readBackup(), before);
        EXPECT_EQ(edittest::temporaries(), 0);
        EXPECT_EQ(testfs::countEntries("/etc/samba-kept", ".smb.conf.velmora-"), 0);
    }
}

}  // namespace
