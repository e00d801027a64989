#include "host/cli/ShareCommand.h"

#include <cstdio>

#include "host/cli/ProviderSession.h"
#include "host/cli/ShareLookup.h"
#include "host/cli/SmbdReload.h"

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

int editDone(const Invocation& invocation, const std::string& done)
{
    std::printf("%s\n", done.c_str());
    if (!invocation.has("--reload"))
        return kExitOk;
    // The edit's line comes before the reload's, also when both streams go
    // to one place.
    std::fflush(stdout);
    const ReloadOutcome outcome = reloadSmbd();
    if (outcome.reloaded)
        std::printf("smbd reloaded its configuration\n");
    else
        std::fprintf(stderr, "velmora: warning: smbd was not reloaded: %s\n", outcome.reason.c_str());
    return kExitOk;
}

}  // namespace velmora::cli
