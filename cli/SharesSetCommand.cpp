#include "cli/ArgumentRules.h"
#include "cli/Command.h"
#include "cli/ShareEdit.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"

namespace velmora::cli {
namespace {

// The value now written for key in the share: the library trims what it is
// given and spells booleans its own way ('false' becomes 'No'), so the
// report reads it back from the file: the last line with the key, since
// the lines a copied share brings come before the share's own. The value
// as given (trimmed) when no line with the key is found.
std::string writtenValue(const ShareLibrary& library, const std::string& name, const std::string& key,
                         const std::string& given)
{
    std::string written = given;
    for (const std::string& line : library.parameterLines(name)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && trimmed(line.substr(0, equals)) == key)
            written = trimmed(line.substr(equals + 1));
    }
    return written;
}

std::string failureReason(const ShareLibrary& library, int result, const std::string& name,
                          const std::string& key, const std::string& value, const std::string& verdict)
{
    return parameterEditFailure(library, result, name, invalidSetReason(name, key, value), verdict,
                                "CLIModifyKeyValuePair");
}

}  // namespace

// velmora shares set <name> <key> <value> [--dry-run] [--reload] [--json]:
// the library finds the share ignoring case, as Samba does, and sets the
// parameter wherever Samba reads it in the share's sections.
int sharesSetCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string& key = invocation.arguments[1];
    const std::string& value = invocation.arguments[2];
    ShareEdit edit(invocation, *library, "set", name, {{"key", key}, {"value", value}});
    const std::string refused = "cannot set '" + key + "' in share '" + name + "': ";
    const int result = edit.apply([&] { return library->modify(name, key, value); });
    if (result != 0)
        return edit.refuse(refused + failureReason(*library, result, name, key, value, edit.verdict()), result);
    // A dry run leaves the file as it was: the value is the one given.
    const std::string writtenKey = trimmed(key);
    const std::string written =
        edit.dryRun() ? trimmed(value) : writtenValue(*library, name, writtenKey, trimmed(value));
    return edit.finish("set " + writtenKey + " = " + written + " in share '" + name + "'");
}

}  // namespace velmora::cli
