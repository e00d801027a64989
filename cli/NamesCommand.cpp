#include <cstdio>

#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ProviderSession.h"

namespace velmora::cli {

// velmora names [--json]: every path the provider returned, in order, as
// received; with --json one array of them.
int namesCommand(const Invocation& invocation)
{
    ProviderSession session(invocation);
    if (!session.start())
        return kExitFailed;
    const vhost::CallResult result = session.host().enumInstanceNames(session.classPath());
    const int exit = session.check(result);
    if (exit != kExitOk)
        return exit;
    std::vector<std::string> paths;
    for (const vhost::ObjectPath& path : result.paths())
        paths.push_back(path.toString());
    if (invocation.has("--json")) {
        std::printf("%s\n", json::strings(paths).c_str());
        return kExitOk;
    }
    for (const std::string& path : paths)
        std::printf("%s\n", path.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
