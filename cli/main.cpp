// velmora: asks the Samba share provider what a CIMOM would ask it, through
// the in-process host, and prints the answers; its "shares" commands read
// and edit the shares through the library's exported share functions.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/Command.h"
#include "cli/ShareEdit.h"

using namespace velmora::cli;

namespace {

bool isHelp(const std::string& word)
{
    return word == "--help" || word == "-h" || word == "help";
}

// Output that never reached its file (a full disk, a closed pipe) is a
// failure, not a silent success; but an edit that was made stands, and a
// retrying script must not take it for one that failed.
int finish(int exit)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exit;
    const int error = errno;
    if (editWasMade()) {
        std::fprintf(stderr, "velmora: warning: the edit was made, but its report could not be written: %s\n",
                     std::strerror(error));
        return exit;
    }
    std::fprintf(stderr, "velmora: cannot write the output: %s\n", std::strerror(error));
    return kExitFailed;
}

int printHelp(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    return finish(kExitOk);
}

// The usage line of what was meant, as far as it was recognised, and where
// the full help is.
std::string usageHint(const std::string& command)
{
    if (const Command* known = findCommand(command))
        return "usage: " + synopsis(*known) + "\nRun 'velmora " + command + " --help' for more.\n";
    const std::string group = command.substr(0, command.find(' '));
    if (!command.empty() && isCommandGroup(group))
        return "usage: velmora " + group + " <command> [options]\nRun 'velmora help " + group +
               "' for its commands.\n";
    return "usage: velmora <command> [options]\nRun 'velmora --help' for the commands.\n";
}

int usageError(const std::string& error, const std::string& command)
{
    std::fprintf(stderr, "velmora: %s\n%s", error.c_str(), usageHint(command).c_str());
    return kExitUsage;
}

// velmora help [<command>]: the whole help, a group's, or one command's.
int helpFor(const std::string& topic)
{
    if (topic.empty())
        return printHelp(usageText());
    if (const Command* command = findCommand(topic))
        return printHelp(commandHelp(*command));
    if (isCommandGroup(topic))
        return printHelp(usageText(topic));
    return usageError("no help for unknown command '" + topic + "'", "");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velmora %s\n", VELMORA_VERSION);
        return finish(kExitOk);
    }
    if (argc >= 2 && isHelp(argv[1])) {
        std::string topic;
        for (int i = 2; i < argc; ++i)
            topic += (topic.empty() ? "" : " ") + std::string(argv[i]);
        return helpFor(topic);
    }
    if (argc == 3 && isCommandGroup(argv[1]) && isHelp(argv[2]))
        return printHelp(usageText(argv[1]));
    Invocation invocation;
    std::string error;
    if (!parseCommandLine(argc, argv, invocation, error))
        return usageError(error, invocation.command);
    const Command* command = findCommand(invocation.command);
    if (invocation.helpAsked)
        return printHelp(commandHelp(*command));
    try {
        return finish(command->run(invocation));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return finish(kExitFailed);
    }
}
