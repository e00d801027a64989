#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"
#include "host/cli/ShareLookup.h"

namespace velmora::cli {

// velmora shares show <name>: the parameter lines of the section named
// exactly <name>, raw, one per line ("global" included). A share without
// parameter lines prints nothing.
int sharesShowCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string refusal = readRefusal(*library, name);
    if (!refusal.empty())
        return fail(refusal);
    for (const std::string& line : library->parameterLines(name))
        std::printf("%s\n", line.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
