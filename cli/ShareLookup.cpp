#include "cli/ShareLookup.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora::cli {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

}  // namespace

std::string smbConfReadProblem()
{
    const int fd = open(kSmbConf, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        close(fd);
        return "";
    }
    return std::string("cannot read ") + kSmbConf + ": " + std::strerror(errno);
}

std::string smbConfEditHint()
{
    const std::string problem = smbConfReadProblem();
    if (!problem.empty())
        return " (" + problem + ")";
    if (access(kSambaDir, W_OK) == 0)
        return "";
    return std::string(" (") + kSambaDir + ": " + std::strerror(errno) + ")";
}

std::string noShareMessage(const std::string& name)
{
    const std::string problem = smbConfReadProblem();
    return "no share named '" + name + "'" + (problem.empty() ? "" : " (" + problem + ")");
}

bool anySectionNamed(const ShareLibrary& library, const std::string& name)
{
    return !sectionNamedLike(library, name).empty();
}

std::string sectionNamedLike(const ShareLibrary& library, const std::string& name)
{
    if (sameIgnoringCase(name, "global") && library.sectionExists("global"))
        return "global";
    for (const std::string& listed : library.shareNames())
        if (sameIgnoringCase(listed, name))
            return listed;
    return "";
}

bool isGlobalSection(const std::string& name)
{
    return sameIgnoringCase(name, "global") || sameIgnoringCase(name, "globals");
}

std::string readRefusal(const ShareLibrary& library, const std::string& name)
{
    return library.sectionExists(name) ? "" : noShareMessage(name);
}

}  // namespace velmora::cli
