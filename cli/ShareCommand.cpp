#include "cli/ShareCommand.h"

#include <cstdio>

#include "cli/ProviderSession.h"
#include "cli/ShareLookup.h"

namespace velmora::cli {

std::unique_ptr<ShareLibrary> openShareLibrary(const Invocation& invocation)
{
    auto library = std::make_unique<ShareLibrary>(invocation.value("--library", ProviderSession::defaultLibrary()));
    std::string error;
    if (library->open(error))
        return library;
    fail(error);
    return nullptr;
}

std::unique_ptr<ShareLibrary> openShareToRead(const Invocation& invocation)
{
    std::unique_ptr<ShareLibrary> library = openShareLibrary(invocation);
    if (!library)
        return nullptr;
    const std::string refusal = readRefusal(*library, invocation.arguments[0]);
    if (refusal.empty())
        return library;
    fail(refusal);
    return nullptr;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "velmora: %s\n", message.c_str());
    return kExitFailed;
}

std::string sambaRefusal(const std::string& verdict)
{
    std::string said = verdict;
    while (!said.empty() && (said.back() == '\n' || said.back() == ' '))
        said.pop_back();
    return "Samba would not load the result, so nothing was written" + (said.empty() ? "" : ": " + said);
}

std::string unexpectedResult(int result, const std::string& function)
{
    return "unexpected result " + std::to_string(result) + " from " + function;
}

std::string parameterEditFailure(const ShareLibrary& library, int result, const std::string& name,
                                 const std::string& invalid, const std::string& verdict,
                                 const std::string& function)
{
    switch (result) {
    case -1:
        if (!anySectionNamed(library, name))
            return noShareMessage(name);
        return std::string(kSmbConf) + " could not be written" + smbConfEditHint();
    case -4:
        return "invalid argument: " + invalid;
    case -5:
        return sambaRefusal(verdict);
    default:
        return unexpectedResult(result, function);
    }
}

}  // namespace velmora::cli
