#include "host/cli/Command.h"

namespace velmora::cli {
namespace {

const CommandOption kNamespace = {"--namespace", "NS"};
const CommandOption kPrincipal = {"--principal", "USER"};
const CommandOption kLibrary = {"--library", "PATH"};
const CommandOption kJson = {"--json", nullptr};

std::string synopsis(const Command& command)
{
    std::string text = std::string("velmora ") + command.name;
    for (const char* argument : command.arguments)
        text += std::string(" <") + argument + ">";
    for (const CommandOption& option : command.options)
        text += std::string(" [") + option.name + (option.valueName ? std::string(" ") + option.valueName : "") + "]";
    return text;
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

std::string usageText()
{
    std::string text = "usage: velmora <command> [options]\n\ncommands:\n";
    for (const Command& command : commandTable())
        text += "  " + synopsis(command) + "\n      " + command.summary + "\n";
    text += "\n--namespace: CIM namespace (default root/cimv2)\n"
            "--principal: user the request is made for (default: the user running velmora)\n"
            "--library:   provider library to load (default: libvelmora.so.0)\n";
    return text;
}

}  // namespace velmora::cli
