#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/ArgumentRules.h"
#include "cli/Command.h"
#include "cli/ShareEdit.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"

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

// The library answers -1 both for a name in use and for a file it could
// not write; the file, unchanged, tells which.
std::string existsOrUnwritten(const ShareLibrary& library, const std::string& name)
{
    const std::string existing = sectionNamedLike(library, name);
    if (!existing.empty())
        return "a share named '" + existing + "' exists already";
    return std::string(kSmbConf) + " could not be written" + smbConfEditHint();
}

std::string failureReason(const ShareLibrary& library, int result, const std::string& name, const std::string& path,
                          const std::string& comment, const std::string& verdict)
{
    switch (result) {
    case -1:
        return existsOrUnwritten(library, name);
    case -2:
        return pathProblem(path);
    case -3:
        return "'" + path + "' is a symbolic link; give the directory itself";
    case -4:
        return "invalid argument: " + invalidCreateReason(name, path, comment);
    case -5:
        return sambaRefusal(verdict);
    default:
        return unexpectedResult(result, "CLICreateSambaShare");
    }
}

// Samba shares a directory named by its absolute path; a relative path or
// a file is accepted into smb.conf but cannot be served as meant.
void warnOfPath(const std::string& path)
{
    struct stat st {};
    const char* problem = nullptr;
    if (path.empty() || path.front() != '/')
        problem = "is not an absolute path";
    else if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        problem = "is not a directory";
    if (problem != nullptr)
        std::fprintf(stderr, "velmora: warning: the path '%s' %s; Samba needs the absolute path of a directory\n",
                     path.c_str(), problem);
}

}  // namespace

// velmora shares create <name> <path> <comment> [--dry-run] [--reload] [--json]
int sharesCreateCommand(const Invocation& invocation)
{
    const std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return kExitFailed;
    const std::string& name = invocation.arguments[0];
    const std::string& path = invocation.arguments[1];
    const std::string& comment = invocation.arguments[2];
    ShareEdit edit(invocation, *library, "create", name, {{"path", path}, {"comment", comment}});
    const int result = edit.apply([&] { return library->create(name, path, comment); });
    if (result != 0)
        return edit.refuse("cannot create share '" + name + "': " +
                               failureReason(*library, result, name, path, comment, edit.verdict()),
                           result);
    warnOfPath(path);
    return edit.finish("created share '" + name + "' (path " + path + ")");
}

}  // namespace velmora::cli
