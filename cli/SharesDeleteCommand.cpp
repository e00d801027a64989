#include "cli/ArgumentRules.h"
#include "cli/Command.h"
#include "cli/ShareEdit.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"

namespace velmora::cli {
namespace {

std::string failureReason(const ShareLibrary& library, int result, const std::string& name,
                          const std::string& verdict)
{
    switch (result) {
    case -1:
        if (!library.sectionExists(name))
            return noShareMessage(name);
        return std::string(kSmbConf) + " could not be written" + smbConfEditHint();
    case -4:
        return "invalid argument: " + invalidNameReason(name);
    case -5:
        return sambaRefusal(verdict);
    default:
        return unexpectedResult(result, "CLIDeleteSambaShare");
    }
}

}  // namespace

// velmora shares delete <name> [--force] [--dry-run] [--reload] [--json]:
// removes the share that a section named exactly <name> belongs to, with
// every section Samba merges into it (names that differ only in case).
// Samba's global section (its workgroup, security and logging) is refused
// without --force: one mistyped command would take the server's whole
// set-up, and the next edit its only backup.
int sharesDeleteCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    ShareEdit edit(invocation, *library, "delete", name, {});
    const std::string refused = "cannot delete share '" + name + "': ";
    if (isGlobalSection(name) && !invocation.has("--force"))
        return edit.refuse(refused + "'" + name + "' is Samba's global section, the settings of the whole "
                                     "server; add --force to delete it all the same");
    const int result = edit.apply([&] { return library->remove(name); });
    if (result != 0)
        return edit.refuse(refused + failureReason(*library, result, name, edit.verdict()), result);
    return edit.finish("deleted share '" + name + "'");
}

}  // namespace velmora::cli
