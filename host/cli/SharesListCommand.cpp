#include <cstdio>

#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"
#include "host/cli/ShareLookup.h"

namespace velmora::cli {

// velmora shares list: the share names, one per line, in file order. The
// library cannot tell an unreadable smb.conf from one without shares, so
// the command looks at the file itself before it says "no shares".
int sharesListCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::vector<std::string> names = library->shareNames();
    if (names.empty()) {
        const std::string problem = smbConfReadProblem();
        if (!problem.empty())
            return fail(problem);
    }
    for (const std::string& name : names)
        std::printf("%s\n", name.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
