#include "host/cli/ArgumentRules.h"
#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"
#include "host/cli/ShareLookup.h"

namespace velmora::cli {
namespace {

std::string failureReason(const ShareLibrary& library, int result, const std::string& name)
{
    switch (result) {
    case -1:
        if (!library.sectionExists(name))
            return noShareMessage(name);
        return std::string(kSmbConf) + " could not be written" + smbConfEditHint();
    case -4:
        return "invalid argument: " + invalidNameReason(name);
    default:
        return "unexpected result " + std::to_string(result) + " from CLIDeleteSambaShare";
    }
}

}  // namespace

// velmora shares delete <name> [--reload]: removes the section named
// exactly <name>. The library removes the first section matching the name
// ignoring case, so a namesake before it would be removed instead: that is
// refused.
int sharesDeleteCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string shadow = shadowingSection(*library, name);
    if (!shadow.empty())
        return fail("cannot delete share '" + name + "': " + ambiguityMessage(name, shadow));
    const int result = library->remove(name);
    if (result != 0)
        return fail("cannot delete share '" + name + "': " + failureReason(*library, result, name));
    return editDone(invocation, "deleted share '" + name + "'");
}

}  // namespace velmora::cli
