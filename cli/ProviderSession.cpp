#include "cli/ProviderSession.h"

#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "host/RcNames.h"

namespace velmora::cli {
namespace {

constexpr const char* kRightsLibrary = "/usr/lib64/libqel_misc.so";

std::string realPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

std::string executableDir()
{
    const std::string self = realPath("/proc/self/exe");
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? std::string() : self.substr(0, slash);
}

// Who was refused and how such a user is let in: the provider asks the
// privilege library, which (as the project installs it) grants uid 0 and
// the members of the group sambashare.
std::string accessHint(const std::string& principal)
{
    return ": the principal '" + principal + "' may not read the shares. Access is decided by " + kRightsLibrary +
           ": velmora's own grants it to uid 0 and to the members of the group 'sambashare' (e.g. usermod -aG "
           "sambashare " + principal + "); ask for another user with --principal";
}

}  // namespace

ProviderSession::ProviderSession(const Invocation& invocation)
    : nameSpace_(invocation.value("--namespace", kDefaultNamespace)),
      principal_(invocation.value("--principal", currentUser())),
      host_(std::make_unique<vhost::Host>(invocation.value("--library", defaultLibrary())))
{
}

bool ProviderSession::start()
{
    std::string error;
    if (!host_->load(&error)) {
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        return false;
    }
    CMPIStatus factoryStatus = {CMPI_RC_OK, nullptr};
    if (host_->instanceMI(&factoryStatus) == nullptr) {
        const std::string reason = factoryStatus.rc == CMPI_RC_OK
                                       ? std::string("it returned NULL")
                                       : vhost::rcName(factoryStatus.rc) + " (" + std::to_string(factoryStatus.rc) + ")";
        std::fprintf(stderr, "velmora: the provider's instance factory failed: %s\n", reason.c_str());
        return false;
    }
    host_->setPrincipal(principal_);
    return true;
}

int ProviderSession::check(const vhost::CallResult& result) const
{
    if (!result.rejected.empty())
        std::fprintf(stderr, "velmora: warning: the provider returned %zu item(s) of a kind this operation "
                             "does not accept; they were refused\n", result.rejected.size());
    if (result.rc == CMPI_RC_OK)
        return kExitOk;
    std::string text = result.statusText();
    if (result.rc == CMPI_RC_ERR_ACCESS_DENIED)
        text += accessHint(principal_);
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    return kExitFailed;
}

std::string ProviderSession::defaultLibrary()
{
    const std::string buildTreeTool = realPath(VELMORA_BUILD_TREE_TOOL_DIR);
    if (!buildTreeTool.empty() && executableDir() == buildTreeTool && access(VELMORA_BUILD_TREE_LIBRARY, F_OK) == 0)
        return VELMORA_BUILD_TREE_LIBRARY;
    return "libvelmora.so.0";
}

std::string ProviderSession::currentUser()
{
    const uid_t uid = geteuid();
    const struct passwd* entry = getpwuid(uid);
    return entry != nullptr ? std::string(entry->pw_name) : std::to_string(uid);
}

}  // namespace velmora::cli
