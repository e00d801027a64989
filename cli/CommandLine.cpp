#include "cli/Command.h"

namespace velmora::cli {
namespace {

const CommandOption* findOption(const Command& command, const std::string& name)
{
    for (const CommandOption& option : command.options)
        if (name == option.name)
            return &option;
    return nullptr;
}

// Reads the option at argv[i] (advancing i past its value).
bool parseOption(const Command& command, int argc, char** argv, int& i, Invocation& out, std::string& error)
{
    std::string word = argv[i];
    std::string name = word;
    const size_t equals = word.find('=');
    if (equals != std::string::npos)
        name = word.substr(0, equals);
    const CommandOption* option = findOption(command, name);
    if (option == nullptr) {
        error = "unknown option '" + name + "' for '" + command.name + "'";
        return false;
    }
    if (option->valueName == nullptr) {
        if (equals != std::string::npos) {
            error = "option '" + name + "' takes no value";
            return false;
        }
        out.options[name] = "";
        return true;
    }
    if (equals != std::string::npos) {
        out.options[name] = word.substr(equals + 1);
        return true;
    }
    if (i + 1 >= argc) {
        error = "option '" + name + "' needs a value (" + option->valueName + ")";
        return false;
    }
    out.options[name] = argv[++i];
    return true;
}

// The command's name: argv[1], or argv[1] and argv[2] for a group
// ("shares list"). first is set to the index of the word after it.
bool readCommandName(int argc, char** argv, std::string& name, int& first, std::string& error)
{
    name = argv[1];
    first = 2;
    if (!isCommandGroup(name))
        return true;
    if (argc < 3) {
        std::string commands;
        for (const Command& command : commandTable())
            if (std::string(command.name).rfind(name + " ", 0) == 0)
                commands += (commands.empty() ? "" : ", ") + std::string(command.name).substr(name.size() + 1);
        error = "'" + name + "' needs a command: " + commands;
        return false;
    }
    name += std::string(" ") + argv[2];
    first = 3;
    return true;
}

// True when "--help" or "-h" stands among the words from first on, before
// any "--".
bool asksForHelp(int argc, char** argv, int first)
{
    for (int i = first; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--")
            return false;
        if (word == "--help" || word == "-h")
            return true;
    }
    return false;
}

}  // namespace

bool parseCommandLine(int argc, char** argv, Invocation& out, std::string& error)
{
    if (argc < 2) {
        error = "no command given";
        return false;
    }
    int first = 0;
    if (!readCommandName(argc, argv, out.command, first, error))
        return false;
    const Command* command = findCommand(out.command);
    if (command == nullptr) {
        error = "unknown command '" + out.command + "'";
        return false;
    }
    if (asksForHelp(argc, argv, first)) {
        out.helpAsked = true;
        return true;
    }
    bool optionsEnded = false;
    for (int i = first; i < argc; ++i) {
        const std::string word = argv[i];
        if (!optionsEnded && word == "--")
            optionsEnded = true;
        else if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            if (!parseOption(*command, argc, argv, i, out, error))
                return false;
        } else
            out.arguments.push_back(word);
    }
    if (out.arguments.size() != command->arguments.size()) {
        error = "'" + out.command + "' takes " + std::to_string(command->arguments.size()) + " argument(s), " +
                std::to_string(out.arguments.size()) + " given";
        return false;
    }
    return true;
}

}  // namespace velmora::cli
