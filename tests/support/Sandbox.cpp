#include "tests/support/Sandbox.h"

#include <limits.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sandbox {
namespace {

constexpr long kOverlayMagic = 0x794c7630;  // OVERLAYFS_SUPER_MAGIC

bool fail(std::string& error, const std::string& what)
{
    error = what + ": " + std::strerror(errno);
    return false;
}

// fail, with what to do about it.
bool fail(std::string& error, const std::string& what, const std::string& wayOut)
{
    error = what + ": " + std::strerror(errno) + "; " + wayOut;
    return false;
}

constexpr const char* kAsRoot = "run the tests as root (scripts/test), in a container only one allowed to mount";

// In a chroot "/" is no mount point, so its propagation cannot be changed,
// and a mount made anywhere under it would reach the host's mount it lies
// in. /proc is a mount point there too: made private, it takes a recursive
// bind of "/" without anything propagating, and the process moves its root
// onto that bind, which is a mount point of its own.
bool rootOnOwnMount(std::string& error)
{
    const char* wayOut = "/ is not a mount point (a chroot?): mount proc on /proc inside it, or make its "
                         "directory a mount point before entering it (mount --bind DIR DIR)";
    if (mount(nullptr, "/proc", nullptr, MS_PRIVATE, nullptr) != 0)
        return fail(error, "making /proc private", wayOut);
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr)
        std::strcpy(cwd, "/");
    if (mount("/", "/proc", nullptr, MS_BIND | MS_REC, nullptr) != 0)
        return fail(error, "binding / onto /proc", wayOut);
    if (chdir("/proc") != 0 || chroot(".") != 0)
        return fail(error, "changing root to the bind of /", wayOut);
    if (chdir(cwd) != 0 && chdir("/") != 0)
        return fail(error, std::string("returning to ") + cwd, wayOut);
    return true;
}

// Nothing mounted in this namespace may propagate to the host's.
bool makeAllPrivate(std::string& error)
{
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        return true;
    if (errno != EINVAL)
        return fail(error, "making / private", kAsRoot);
    if (!rootOnOwnMount(error))
        return false;
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return fail(error, "making the new / private", kAsRoot);
    return true;
}

bool overlay(const std::string& dir, const std::string& scratch, const std::string& tag,
             std::string& error)
{
    const std::string upper = scratch + "/" + tag + "-upper";
    const std::string work = scratch + "/" + tag + "-work";
    if (mkdir(upper.c_str(), 0755) != 0 || mkdir(work.c_str(), 0755) != 0)
        return fail(error, "mkdir in " + scratch, "the scratch tmpfs must be writable");
    const std::string options = "lowerdir=" + dir + ",upperdir=" + upper + ",workdir=" + work;
    if (mount("overlay", dir.c_str(), "overlay", 0, options.c_str()) != 0)
        return fail(error, "overlay on " + dir,
                    "the kernel needs overlayfs (modprobe overlay) and " + dir + " a directory it can lie over");
    struct statfs fs {};
    if (statfs(dir.c_str(), &fs) != 0 || fs.f_type != kOverlayMagic) {
        error = dir + " is not an overlay after mounting; something else covers it: run the tests "
                      "where nothing is mounted on " + dir;
        return false;
    }
    return true;
}

bool removeIfPresent(const char* path, std::string& error)
{
    if (unlink(path) == 0 || errno == ENOENT)
        return true;
    return fail(error, std::string("unlink ") + path, "the overlay must be writable");
}

}  // namespace

bool enter(std::string& error)
{
    if (unshare(CLONE_NEWNS) != 0)
        return fail(error, "unshare(CLONE_NEWNS)", kAsRoot);
    if (!makeAllPrivate(error))
        return false;
    char scratch[] = "/tmp/velmora-sandbox-XXXXXX";
    if (mkdtemp(scratch) == nullptr)
        return fail(error, "mkdtemp " + std::string(scratch), "/tmp must exist and be writable");
    if (mount("tmpfs", scratch, "tmpfs", 0, "size=1g,mode=0700") != 0)
        return fail(error, std::string("tmpfs on ") + scratch, kAsRoot);
    const bool ok = overlay("/etc", scratch, "etc", error) &&
                    overlay("/usr/sbin", scratch, "sbin", error) &&
                    overlay("/usr/lib64", scratch, "lib64", error);
    // The overlays keep the scratch tmpfs alive; detaching it now means
    // nothing at all is left on the host when the process ends.
    umount2(scratch, MNT_DETACH);
    rmdir(scratch);
    if (!ok)
        return false;
    mkdir("/etc/samba", 0755);
    return removeIfPresent("/etc/samba/smb.conf", error) &&
           removeIfPresent("/etc/samba/smb.conf.temp", error) &&
           removeIfPresent("/usr/lib64/libqel_misc.so", error);
}

bool mountTmpfs(const std::string& dir, const std::string& options, std::string& error)
{
    mkdir(dir.c_str(), 0755);
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return fail(error, "tmpfs on " + dir);
    return true;
}

bool makeReadOnly(const std::string& dir, std::string& error)
{
    if (mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0)
        return fail(error, "bind " + dir);
    if (mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return fail(error, "remount read-only " + dir);
    return true;
}

}  // namespace sandbox
