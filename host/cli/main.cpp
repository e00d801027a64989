// velmora: asks the Samba share provider what a CIMOM would ask it, through
// the in-process host, and prints the answers.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "host/cli/Command.h"

using namespace velmora::cli;

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
                      std::strcmp(argv[1], "help") == 0)) {
        std::fputs(usageText().c_str(), stdout);
        return kExitOk;
    }
    Invocation invocation;
    std::string error;
    if (!parseCommandLine(argc, argv, invocation, error)) {
        std::fprintf(stderr, "velmora: %s\n\n%s", error.c_str(), usageText().c_str());
        return kExitUsage;
    }
    try {
        return findCommand(invocation.command)->run(invocation);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return kExitFailed;
    }
}
