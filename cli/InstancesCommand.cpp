#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "cli/InstanceJson.h"
#include "cli/ProviderSession.h"

namespace velmora::cli {
namespace {

// MOF blocks separated by a blank line; or one JSON array, an instance a line.
std::string render(const std::vector<vhost::Instance>& instances, bool json)
{
    if (json && instances.empty())
        return "[]\n";
    std::string out = json ? "[\n" : "";
    for (size_t i = 0; i < instances.size(); ++i) {
        if (json)
            out += "  " + instanceJson(instances[i]) + (i + 1 < instances.size() ? ",\n" : "\n");
        else
            out += (i ? "\n" : "") + instances[i].toMof() + "\n";
    }
    return json ? out + "]\n" : out;
}

}  // namespace

// velmora instances [--json]: every instance the provider returned, in order.
int instancesCommand(const Invocation& invocation)
{
    ProviderSession session(invocation);
    if (!session.start())
        return kExitFailed;
    const vhost::CallResult result = session.host().enumInstances(session.classPath());
    const int exit = session.check(result);
    if (exit != kExitOk)
        return exit;
    std::fputs(render(result.instances(), invocation.has("--json")).c_str(), stdout);
    return kExitOk;
}

}  // namespace velmora::cli
