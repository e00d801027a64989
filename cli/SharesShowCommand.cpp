#include <cstdio>

#include "cli/ArgumentRules.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ShareCommand.h"

namespace velmora::cli {
namespace {

// {"key":"path","value":"/srv/data","line":"\tpath = /srv/data"}; a line
// without "=" (Samba ignores it) has the key and value null.
std::string parameterJson(const std::string& line)
{
    const size_t equals = line.find('=');
    const bool parameter = equals != std::string::npos;
    return json::Object()
        .add("key", parameter ? json::string(trimmed(line.substr(0, equals))) : "null")
        .add("value", parameter ? json::string(trimmed(line.substr(equals + 1))) : "null")
        .add("line", json::string(line))
        .text();
}

std::string showJson(const std::string& name, const std::vector<std::string>& lines)
{
    std::string parameters = "[";
    for (size_t i = 0; i < lines.size(); ++i)
        parameters += (i ? "," : "") + parameterJson(lines[i]);
    return json::Object().add("share", json::string(name)).add("parameters", parameters + "]").text();
}

}  // namespace

// velmora shares show <name> [--json]: the parameter lines Samba reads for
// the share <name> names (CLIGetSambaShareInfo: across its sections, with
// what a copy brings first), one per line ("global" included). A share
// without parameter lines prints nothing (with --json, no parameters).
int sharesShowCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareToRead(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::vector<std::string> lines = library->parameterLines(name);
    if (invocation.has("--json")) {
        std::printf("%s\n", showJson(name, lines).c_str());
        return kExitOk;
    }
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
