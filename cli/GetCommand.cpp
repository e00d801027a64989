#include <cstdio>

#include "cli/Command.h"
#include "cli/InstanceJson.h"
#include "cli/ProviderSession.h"

namespace velmora::cli {

// velmora get <InstanceID> [--json]: getInstance on
// <namespace>:QVX_SambaFileShare.InstanceID="<InstanceID>". A getInstance
// must answer exactly one instance; anything else is reported as a failure.
int getCommand(const Invocation& invocation)
{
    ProviderSession session(invocation);
    if (!session.start())
        return kExitFailed;
    vhost::ObjectPath path = session.classPath();
    path.addKey("InstanceID", vhost::Value::string(invocation.arguments[0]));
    const vhost::CallResult result = session.host().getInstance(path);
    const int exit = session.check(result);
    if (exit != kExitOk)
        return exit;
    const std::vector<vhost::Instance> instances = result.instances();
    if (instances.size() != 1) {
        std::fprintf(stderr, "velmora: the provider returned %zu instances instead of one\n", instances.size());
        return kExitFailed;
    }
    const std::string text = invocation.has("--json") ? instanceJson(instances[0]) : instances[0].toMof();
    std::printf("%s\n", text.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
