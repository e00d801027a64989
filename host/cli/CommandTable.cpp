#include "host/cli/Command.h"

namespace velmora::cli {
namespace {

const CommandOption kNamespace = {"--namespace", "NS"};
const CommandOption kPrincipal = {"--principal", "USER"};
const CommandOption kLibrary = {"--library", "PATH"};
const CommandOption kJson = {"--json", nullptr};
const CommandOption kReload = {"--reload", nullptr};

// What each option means, printed below the commands that take it.
struct OptionNote {
    const char* name;
    const char* text;
};
const OptionNote kOptionNotes[] = {
    {"--namespace", "CIM namespace (default root/cimv2)"},
    {"--principal", "user the request is made for (default: the user running velmora)"},
    {"--library", "provider library to load (default: libvelmora.so.0)"},
    {"--reload", "after a successful edit, ask a running smbd to reload its configuration\n"
                 "             (smbcontrol smbd reload-config). A failed reload is only a warning on\n"
                 "             stderr: the edit was made, and the command still exits 0"},
};

std::string synopsis(const Command& command)
{
    std::string text = std::string("velmora ") + command.name;
    for (const char* argument : command.arguments)
        text += std::string(" <") + argument + ">";
    for (const CommandOption& option : command.options)
        text += std::string(" [") + option.name + (option.valueName ? std::string(" ") + option.valueName : "") + "]";
    return text;
}

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

}  // namespace

std::string Invocation::value(const std::string& option, const std::string& fallback) const
{
    const auto it = options.find(option);
    return it != options.end() ? it->second : fallback;
}

const std::vector<Command>& commandTable()
{
    static const std::vector<Command> table = {
        {"names", {}, {kNamespace, kPrincipal, kLibrary},
         "print the object path of every share, one per line", namesCommand},
        {"instances", {}, {kJson, kNamespace, kPrincipal, kLibrary},
         "print every share instance (MOF blocks, or a JSON array with --json)", instancesCommand},
        {"get", {"InstanceID"}, {kJson, kNamespace, kPrincipal, kLibrary},
         "print the share instance with that InstanceID (e.g. Samba:data)", getCommand},
        {"shares list", {}, {kLibrary},
         "print the name of every share of /etc/samba/smb.conf, one per line, in file order",
         sharesListCommand},
        {"shares show", {"name"}, {kLibrary},
         "print the share's parameter lines as they stand in the file", sharesShowCommand},
        {"shares path", {"name"}, {kLibrary}, "print the share's directory", sharesPathCommand},
        {"shares create", {"name", "path", "comment"}, {kReload, kLibrary},
         "add a share of the directory <path> with that comment", sharesCreateCommand},
        {"shares set", {"name", "key", "value"}, {kReload, kLibrary},
         "add the parameter <key> = <value> to the share, or change its value", sharesSetCommand},
        {"shares delete", {"name"}, {kReload, kLibrary}, "remove the share", sharesDeleteCommand},
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
    std::string text = "usage: velmora " + prefix + "<command> [options]\n\ncommands:\n";
    for (const Command& command : commandTable())
        if (inGroup(command, group))
            text += "  " + synopsis(command) + "\n      " + command.summary + "\n";
    text += "\n";
    for (const OptionNote& note : kOptionNotes) {
        bool used = false;
        for (const Command& command : commandTable())
            used = used || (inGroup(command, group) && takesOption(command, note.name));
        const std::string name = note.name;
        if (used)
            text += name + ":" + std::string(12 - name.size(), ' ') + note.text + "\n";
    }
    text += "\nArguments that begin with \"-\" go after \"--\".\n"
            "Exit status: 0 done, 1 failed (the reason on stderr), 2 wrong command line.\n";
    return text;
}

}  // namespace velmora::cli
