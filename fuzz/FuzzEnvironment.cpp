#include "fuzz/FuzzEnvironment.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/Files.h"

namespace fuzzenv {

const SharePaths& Prepare()
{
    static const SharePaths paths = [] {
        testfs::installSmbd();
        testfs::installRights(testfs::Rights::Fake);
        testfs::setFakeRights(0, 0x10);
        // The checks' reference knows smb.conf's lines, not Samba's
        // parameters: Samba's verdict (-5) is left out here, as an edit
        // without Samba's tools leaves it out (it has tests of its own), and
        // a process start per edit would slow fuzzing twentyfold. The mount
        // lives in the sandbox's namespace only.
        mount("/dev/null", "/usr/bin/testparm", nullptr, MS_BIND, nullptr);
        // Under /etc, so inside the sandbox's overlay like the fixed paths.
        const std::string base = "/etc/velmora-fuzz";
        mkdir(base.c_str(), 0755);
        mkdir((base + "/share").c_str(), 0755);
        symlink((base + "/share").c_str(), (base + "/link").c_str());
        testfs::writeFile(base + "/file", "x");
        return SharePaths{base + "/share", base + "/link", base + "/file", base + "/missing"};
    }();
    return paths;
}

}  // namespace fuzzenv
