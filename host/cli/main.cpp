// velmora: asks the Samba share provider what a CIMOM would ask it, through
// the in-process host, and prints the answers; its "shares" commands read
// and edit the shares through the library's exported share functions.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "host/cli/Command.h"

using namespace velmora::cli;

namespace {

bool isHelp(const char* word)
{
    return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0 || std::strcmp(word, "help") == 0;
}

// Output that never reached its file (a full disk, a closed pipe) is a
// failure, not a silent success.
int finish(int exit)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exit;
    std::fprintf(stderr, "velmora: cannot write the output: %s\n", std::strerror(errno));
    return kExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && isHelp(argv[1])) {
        std::fputs(usageText().c_str(), stdout);
        return finish(kExitOk);
    }
    if (argc == 3 && isCommandGroup(argv[1]) && isHelp(argv[2])) {
        std::fputs(usageText(argv[1]).c_str(), stdout);
        return finish(kExitOk);
    }
    Invocation invocation;
    std::string error;
    if (!parseCommandLine(argc, argv, invocation, error)) {
        const std::string usage = argc >= 2 && isCommandGroup(argv[1]) ? usageText(argv[1]) : usageText();
        std::fprintf(stderr, "velmora: %s\n\n%s", error.c_str(), usage.c_str());
        return kExitUsage;
    }
    try {
        return finish(findCommand(invocation.command)->run(invocation));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return kExitFailed;
    }
}
