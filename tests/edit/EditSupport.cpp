#include "tests/edit/EditSupport.h"

#include <sys/mount.h>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/Files.h"

namespace edittest {

int temporaries() { return testfs::countEntries("/etc/samba", ".smb.conf.velmora-"); }

void expectUntouched(const std::string& before)
{
    EXPECT_EQ(testfs::readSmbConf(), before);
    EXPECT_FALSE(testfs::exists(testfs::kBackup));
    EXPECT_EQ(temporaries(), 0);
}

const SharePaths& sharePaths()
{
    static const SharePaths paths = [] {
        const std::string base = "/etc/velmora-edit-test";
        mkdir(base.c_str(), 0755);
        mkdir((base + "/data").c_str(), 0755);
        symlink((base + "/data").c_str(), (base + "/link").c_str());
        testfs::writeFile(base + "/file", "x");
        return SharePaths{base + "/data", base + "/link", base + "/file", base + "/missing"};
    }();
    return paths;
}

void hideTestparm()
{
    ASSERT_TRUE(access("/usr/bin/testparm", F_OK) != 0 ||
                mount("/dev/null", "/usr/bin/testparm", nullptr, MS_BIND, nullptr) == 0);
}

}  // namespace edittest
