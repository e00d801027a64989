#include <cstdio>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ShareCommand.h"

namespace velmora::cli {

// velmora shares path <name> [--json]: the directory of the share named exactly
// <name>. An empty path is refused like a missing one: printed, it would
// send a script to its working directory instead.
int sharesPathCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareToRead(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    std::string path;
    if (library->pathName(name, path) != 0)
        return fail("share '" + name + "' has no path line");
    if (path.empty())
        return fail("share '" + name + "' has an empty path");
    if (invocation.has("--json"))
        std::printf("%s\n", json::Object().add("share", json::string(name)).add("path", json::string(path)).text().c_str());
    else
        std::printf("%s\n", path.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
