#include "cli/ArgumentRules.h"
#include "cli/Command.h"
#include "cli/ShareEdit.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"

namespace velmora::cli {
namespace {

std::string failureReason(const ShareLibrary& library, int result, const std::string& name,
                          const std::string& key, const std::string& verdict)
{
    return parameterEditFailure(library, result, name, invalidKeyReason(name, key), verdict, "CLIRemoveKeyValuePair");
}

}  // namespace

// velmora shares unset <name> <key> [--force] [--dry-run] [--reload] [--json]:
// removes every line Samba reads as the parameter (the library knows its
// synonyms) from every section of the share; the global section needs
// --force, since a parameter removed there changes the whole server.
int sharesUnsetCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string& key = invocation.arguments[1];
    ShareEdit edit(invocation, *library, "unset", name, {{"key", key}});
    const std::string refused = "cannot unset '" + key + "' in share '" + name + "': ";
    if (isGlobalSection(name) && !invocation.has("--force"))
        return edit.refuse(refused + "'" + name + "' is Samba's global section, the settings of the whole "
                                     "server; add --force to change it all the same");
    const int result = edit.apply([&] { return library->removeKey(name, key); });
    if (result != 0)
        return edit.refuse(refused + failureReason(*library, result, name, key, edit.verdict()), result);
    const std::string writtenKey = trimmed(key);
    if (!edit.changed())
        return edit.finish("share '" + name + "' has no parameter '" + writtenKey + "'; nothing to remove");
    return edit.finish("removed '" + writtenKey + "' from share '" + name + "'");
}

}  // namespace velmora::cli
