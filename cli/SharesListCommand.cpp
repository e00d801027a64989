#include <cstdio>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"

namespace velmora::cli {

// velmora shares list [--json]: the share names (or one JSON array of them), one per line, in file order. The
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
    if (invocation.has("--json")) {
        std::printf("%s\n", json::strings(names).c_str());
        return kExitOk;
    }
    for (const std::string& name : names)
        std::printf("%s\n", name.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
