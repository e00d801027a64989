#include "cli/Command.h"

namespace velmora::cli {
namespace {

const CommandOption kNamespace = {"--namespace", "NS"};
const CommandOption kPrincipal = {"--principal", "USER"};
const CommandOption kLibrary = {"--library", "PATH"};
const CommandOption kJson = {"--json", nullptr};
const CommandOption kReload = {"--reload", nullptr};
const CommandOption kDryRun = {"--dry-run", nullptr};
const CommandOption kForce = {"--force", nullptr};

bool inGroup(const Command& command, const std::string& group)
{
    return group.empty() || std::string(command.name).rfind(group + " ", 0) == 0;
}

bool takesOption(const Command& command, const std::string& name)
{
    for (const CommandOption& option : command.options)
        if (name == option.name)
            return true;
    return false;
}

// What each option means, printed below the commands that take it.
struct OptionNote {
    const char* name;
    const char* text;
};
const OptionNote kOptionNotes[] = {
    {"--namespace", "CIM namespace (default root/cimv2)"},
    {"--principal", "user the request is made for (default: the user running velmora)"},
    {"--library", "provider library to load (default: libvelmora.so.0)"},
    {"--json", "print the answer as JSON (one shape per command, see velmora(1)); messages\n"
               "             still go to stderr as text"},
    {"--dry-run", "print the unified diff of smb.conf that the edit would make, and Samba's\n"
                  "             verdict on the result, without changing anything"},
    {"--force", "allow deleting Samba's global section (global or globals, in any case), or\n"
                "             removing a parameter from it; refused without"},
    {"--reload", "after a successful edit, ask a running smbd to reload its configuration\n"
                 "             (smbcontrol smbd reload-config). A failed reload is only a warning on\n"
                 "             stderr: the edit was made, and the command still exits 0"},
};

const char* const kExitText =
    "Exit status: 0 done (also when it was so already: a set to the value in place, an unset\n"
    "of an absent parameter); 1 failed, the reason on stderr (a delete of a share that does not\n"
    "exist included); 2 wrong command line. An edit that was made exits 0 even when its report\n"
    "cannot be written. Every edit, done or refused, is logged to syslog (identity velmora,\n"
    "LOG_NOTICE); dry runs are not.\n";

std::string optionNotes(const std::vector<const Command*>& commands)
{
    std::string text;
    for (const OptionNote& note : kOptionNotes) {
        bool used = false;
        for (const Command* command : commands)
            used = used || takesOption(*command, note.name);
        const std::string name = note.name;
        if (used)
            text += name + ":" + std::string(name.size() < 12 ? 12 - name.size() : 1, ' ') + note.text + "\n";
    }
    return text;
}

}  // namespace

std::string synopsis(const Command& command)
{
    std::string text = std::string("velmora ") + command.name;
    for (const char* argument : command.arguments)
        text += std::string(" <") + argument + ">";
    for (const CommandOption& option : command.options)
        text += std::string(" [") + option.name + (option.valueName ? std::string(" ") + option.valueName : "") + "]";
    return text;
}

std::string Invocation::value(const std::string& option, const std::string& fallback) const
{
    const auto it = options.find(option);
    return it != options.end() ? it->second : fallback;
}

const std::vector<Command>& commandTable()
{
    static const std::vector<Command> table = {
        {"names", {}, {kJson, kNamespace, kPrincipal, kLibrary},
         "print the object path of every share, one per line", namesCommand},
        {"instances", {}, {kJson, kNamespace, kPrincipal, kLibrary},
         "print every share instance (MOF blocks, or a JSON array with --json)", instancesCommand},
        {"get", {"InstanceID"}, {kJson, kNamespace, kPrincipal, kLibrary},
         "print the share instance with that InstanceID (e.g. Samba:data)", getCommand},
        {"shares list", {}, {kJson, kLibrary},
         "print the name of every share of /etc/samba/smb.conf, one per line, in file order",
         sharesListCommand},
        {"shares show", {"name"}, {kJson, kLibrary},
         "print the share's parameter lines as Samba reads them (a later line wins)", sharesShowCommand},
        {"shares path", {"name"}, {kJson, kLibrary}, "print the share's directory", sharesPathCommand},
        {"shares create", {"name", "path", "comment"}, {kDryRun, kReload, kJson, kLibrary},
         "add a share of the directory <path> with that comment", sharesCreateCommand},
        {"shares set", {"name", "key", "value"}, {kDryRun, kReload, kJson, kLibrary},
         "add the parameter <key> = <value> to the share, or change its value", sharesSetCommand},
        {"shares unset", {"name", "key"}, {kDryRun, kForce, kReload, kJson, kLibrary},
         "remove the parameter <key> (under every name Samba knows it by) from the share",
         sharesUnsetCommand},
        {"shares delete", {"name"}, {kDryRun, kForce, kReload, kJson, kLibrary}, "remove the share",
         sharesDeleteCommand},
    };
    return table;
}

const Command* findCommand(const std::string& name)
{
    for (const Command& command : commandTable())
        if (name == command.name)
            return &command;
    return nullptr;
}

bool isCommandGroup(const std::string& name)
{
    for (const Command& command : commandTable())
        if (std::string(command.name).rfind(name + " ", 0) == 0)
            return true;
    return false;
}

std::string usageText(const std::string& group)
{
    const std::string prefix = group.empty() ? std::string() : group + " ";
    std::string text = "usage: velmora " + prefix + "<command> [options]\n"
                       "       velmora help [<command>]   (or: velmora <command> --help)\n"
                       "       velmora --version\n\ncommands:\n";
    std::vector<const Command*> shown;
    for (const Command& command : commandTable())
        if (inGroup(command, group)) {
            text += "  " + synopsis(command) + "\n      " + command.summary + "\n";
            shown.push_back(&command);
        }
    return text + "\n" + optionNotes(shown) +
           "\nArguments that begin with \"-\" go after \"--\".\n" + kExitText;
}

std::string commandHelp(const Command& command)
{
    return "usage: " + synopsis(command) + "\n\n" + command.summary + "\n\n" + optionNotes({&command}) +
           "\nArguments that begin with \"-\" go after \"--\".\n" + kExitText;
}

}  // namespace velmora::cli
