#include "rights/QelMisc.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kSambaGroup = "sambashare";

// A buffer large enough for getpwnam_r / getgrnam_r, grown on ERANGE.
std::vector<char> lookupBuffer(int name)
{
    long size = sysconf(name);
    return std::vector<char>(size > 0 ? static_cast<size_t>(size) : 16384);
}

bool findUser(const char* name, passwd& entry, std::vector<char>& buffer)
{
    buffer = lookupBuffer(_SC_GETPW_R_SIZE_MAX);
    passwd* found = nullptr;
    int rc;
    while ((rc = getpwnam_r(name, &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return rc == 0 && found != nullptr;
}

bool inSambaGroup(const passwd& user)
{
    std::vector<char> buffer = lookupBuffer(_SC_GETGR_R_SIZE_MAX);
    group entry {};
    group* found = nullptr;
    int rc;
    while ((rc = getgrnam_r(kSambaGroup, &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (rc != 0 || found == nullptr)
        return false;
    if (user.pw_gid == entry.gr_gid)
        return true;
    for (char** member = entry.gr_mem; member != nullptr && *member != nullptr; ++member) {
        if (std::strcmp(*member, user.pw_name) == 0)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int qelGetEffectivePrivForWS(char* principal, void* /*reserved*/, uint32_t* priv)
{
    if (principal == nullptr || priv == nullptr)
        return EINVAL;
    passwd user {};
    std::vector<char> buffer;
    if (!findUser(principal, user, buffer))
        return ENOENT;
    *priv = (user.pw_uid == 0 || inSambaGroup(user)) ? QEL_PRIV_SAMBA_READ : 0u;
    return 0;
}
