#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"

namespace velmora::cli {

// velmora shares path <name>: the directory of the share named exactly
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
    std::printf("%s\n", path.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
