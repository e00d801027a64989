#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"

namespace velmora::cli {

// velmora shares show <name>: the parameter lines of the section named
// exactly <name>, raw, one per line ("global" included). A share without
// parameter lines prints nothing.
int sharesShowCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareToRead(invocation);
    if (!library)
        return kExitFailed;
    for (const std::string& line : library->parameterLines(invocation.arguments[0]))
        std::printf("%s\n", line.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
