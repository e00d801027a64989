#ifndef VELMORA_CLI_COMMAND_H
#define VELMORA_CLI_COMMAND_H

#include <map>
#include <string>
#include <vector>

// The velmora tool's commands: a table of names, their arguments and
// options, and one function per command. Adding a command means adding one
// row to the table (CommandTable.cpp) and its function in a file of its own.
// A command of a group is named by two words ("shares list"): the group
// and the command within it.
namespace velmora::cli {

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation failed (message on stderr)
inline constexpr int kExitUsage = 2;   // the command line was wrong (usage on stderr)

// A parsed command line: the command, its positional arguments, and the
// options given ("--namespace" -> "root/x"; a flag maps to "").
struct Invocation {
    std::string command;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> options;
    bool helpAsked = false;  // "--help" or "-h" among the command's words

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option, const std::string& fallback = "") const;
};

struct CommandOption {
    const char* name;       // "--namespace"
    const char* valueName;  // "NS", or nullptr for a flag
};

struct Command {
    const char* name;  // "names", or "shares list" within the group "shares"
    std::vector<const char*> arguments;  // names of the required positional arguments
    std::vector<CommandOption> options;
    const char* summary;
    int (*run)(const Invocation&);
};

const std::vector<Command>& commandTable();
const Command* findCommand(const std::string& name);
// True when name is a group of commands ("shares").
bool isCommandGroup(const std::string& name);

// The full help: every command, or only the commands of one group, with the
// options they take and the exit codes.
std::string usageText(const std::string& group = "");
// One command's help: its synopsis, what it does, its options, the exit codes.
std::string commandHelp(const Command& command);
// "velmora shares create <name> <path> <comment> [--reload] ..." on one line.
std::string synopsis(const Command& command);

// Parses argv[1..]. Returns false with a one-line reason for an unknown
// command or option, a group without its command, a missing option value,
// or a wrong argument count. "--opt VALUE" and "--opt=VALUE" are both
// accepted; after "--" every word is an argument. With --help among the
// words, only the command's name is checked. out.command is set as far as
// it was read, also on failure, so that the caller can show its usage.
bool parseCommandLine(int argc, char** argv, Invocation& out, std::string& error);

// The commands.
int namesCommand(const Invocation& invocation);
int instancesCommand(const Invocation& invocation);
int getCommand(const Invocation& invocation);
int sharesListCommand(const Invocation& invocation);
int sharesShowCommand(const Invocation& invocation);
int sharesPathCommand(const Invocation& invocation);
int sharesCreateCommand(const Invocation& invocation);
int sharesSetCommand(const Invocation& invocation);
int sharesUnsetCommand(const Invocation& invocation);
int sharesDeleteCommand(const Invocation& invocation);

}  // namespace velmora::cli

#endif
