#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/cli/ArgumentRules.h"
#include "host/cli/Command.h"
#include "host/cli/ShareCommand.h"
#include "host/cli/ShareLookup.h"

namespace velmora::cli {
namespace {

// The library reports only that the path could not be examined; the
// system's own reason ("No such file or directory", "Permission denied")
// tells the user what to fix.
std::string pathProblem(const std::string& path)
{
    struct stat st {};
    const std::string reason = lstat(path.c_str(), &st) != 0 ? std::strerror(errno) : "it changed meanwhile";
    return "cannot examine path '" + path + "': " + reason;
}

std::string failureReason(int result, const std::string& name, const std::string& path, const std::string& comment)
{
    switch (result) {
    case -1:
        return "a share named '" + name + "' exists already or " + kSmbConf + " could not be written" +
               smbConfEditHint();
    case -2:
        return pathProblem(path);
    case -3:
        return "'" + path + "' is a symbolic link; give the directory itself";
    case -4:
        return "invalid argument: " + invalidCreateReason(name, path, comment);
    default:
        return "unexpected result " + std::to_string(result) + " from CLICreateSambaShare";
    }
}

// Samba merges sections whose names differ only in case; a user who makes
// 'Data' next to 'data' should know that.
void warnOfNamesake(const ShareLibrary& library, const std::string& name)
{
    for (const std::string& listed : library.shareNames())
        if (listed != name && strcasecmp(listed.c_str(), name.c_str()) == 0) {
            std::fprintf(stderr, "velmora: warning: the share '%s' differs from '%s' only in case; Samba treats "
                                 "them as one share\n", name.c_str(), listed.c_str());
            return;
        }
}

}  // namespace

// velmora shares create <name> <path> <comment> [--reload]
int sharesCreateCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string& path = invocation.arguments[1];
    const std::string& comment = invocation.arguments[2];
    const int result = library->create(name, path, comment);
    if (result != 0)
        return fail("cannot create share '" + name + "': " + failureReason(result, name, path, comment));
    warnOfNamesake(*library, name);
    return editDone(invocation, "created share '" + name + "' (path " + path + ")");
}

}  // namespace velmora::cli
