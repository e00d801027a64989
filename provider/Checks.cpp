#include "provider/Checks.h"

#include <dlfcn.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "cmpi/CmpiStatus.h"
#include "common/Paths.h"

namespace {

constexpr uint32_t kSambaReadPrivilege = 0x10;
const char* const kNoSamba = "No Samba Service found on this machine";

using PrivilegeFunction = int (*)(char*, void*, uint32_t*);

}  // namespace

bool ReadEffectiveUID(const char* principal)
{
    if (principal == nullptr)
        return false;
    // The library wants a modifiable name; it gets a private copy.
    std::vector<char> name(principal, principal + std::char_traits<char>::length(principal) + 1);
    // Opened on every check so that an exchanged library takes effect at
    // once; the handle stays open (the library may keep state of its own).
    void* library = dlopen(velmora::kRightsLibraryPath, RTLD_NOW);
    if (library == nullptr)
        throw std::runtime_error("Failed to dlopen file: ");
    auto privileges = reinterpret_cast<PrivilegeFunction>(dlsym(library, "qelGetEffectivePrivForWS"));
    if (privileges == nullptr)
        throw std::runtime_error("Failed to get symbol qelGetEffectivePrivForWS from ");
    uint32_t word = 0;
    return privileges(name.data(), nullptr, &word) == 0 && (word & kSambaReadPrivilege) != 0;
}

std::string getSambaBinary()
{
    return access(velmora::kSmbdPath, F_OK) == 0 ? velmora::kSmbdPath : "";
}

bool HasSamba()
{
    if (!getSambaBinary().empty())
        return true;
    syslog(LOG_ERR, "%s", kNoSamba);
    throw CmpiStatus(CMPI_RC_ERR_FAILED, kNoSamba);
}
