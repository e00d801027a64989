#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/ProviderSession.h"

namespace velmora::cli {

// velmora names: every path the provider returned, in order, as received.
int namesCommand(const Invocation& invocation)
{
    ProviderSession session(invocation);
    if (!session.start())
        return kExitFailed;
    const vhost::CallResult result = session.host().enumInstanceNames(session.classPath());
    const int exit = session.check(result);
    if (exit != kExitOk)
        return exit;
    for (const vhost::ObjectPath& path : result.paths())
        std::printf("%s\n", path.toString().c_str());
    return kExitOk;
}

}  // namespace velmora::cli
