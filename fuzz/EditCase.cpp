#include "fuzz/EditCase.h"

#include <vector>

#include "fuzz/FuzzEnvironment.h"

namespace fuzzcheck {
namespace {

Operation operationOf(std::string_view word)
{
    if (word == "create")
        return Operation::Create;
    if (word == "modify")
        return Operation::Modify;
    if (word == "delete")
        return Operation::Delete;
    if (word == "remove")
        return Operation::Remove;
    const unsigned pick = word.empty() ? 0 : static_cast<unsigned char>(word[0]) % 4;
    return static_cast<Operation>(pick);
}

Argument decodeArgument(std::string_view field)
{
    if (field == "\\0")
        return std::nullopt;
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (field[i] == '\\' && (next == 'n' || next == 'r' || next == '\\')) {
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
            ++i;
        } else {
            text += field[i];
        }
    }
    return text.substr(0, text.find('\0'));  // as a C string carries it
}

// A prepared path's token, also followed by more text ('@link/').
std::string resolvePath(const std::string& path)
{
    const fuzzenv::SharePaths& paths = fuzzenv::Prepare();
    const std::pair<const char*, const std::string*> tokens[] = {
        {"@dir", &paths.directory}, {"@link", &paths.link}, {"@file", &paths.file}, {"@missing", &paths.missing}};
    for (const auto& [token, prepared] : tokens) {
        if (path.rfind(token, 0) == 0)
            return *prepared + path.substr(std::string(token).size());
    }
    return path;
}

}  // namespace

EditCase ParseEditCase(std::string_view input)
{
    EditCase edit;
    const size_t newline = input.find('\n');
    std::string_view command = input.substr(0, newline);
    if (newline != std::string_view::npos)
        edit.content = std::string(input.substr(newline + 1));
    std::vector<std::string_view> fields;
    for (size_t bar; (bar = command.find('|')) != std::string_view::npos; command.remove_prefix(bar + 1))
        fields.push_back(command.substr(0, bar));
    fields.push_back(command);
    edit.operation = operationOf(fields[0]);
    for (size_t i = 0; i < edit.args.size(); ++i)
        edit.args[i] = i + 1 < fields.size() ? decodeArgument(fields[i + 1]) : std::string();
    if (edit.operation == Operation::Create && edit.args[1])
        edit.args[1] = resolvePath(*edit.args[1]);
    return edit;
}

}  // namespace fuzzcheck
