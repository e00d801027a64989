#include "cli/ArgumentRules.h"

#include <cstring>
#include <initializer_list>

namespace velmora::cli {
namespace {

const std::string kTextRules = "no text may hold a line break, and the share name must not be empty";
const std::string kKeyRules = "no text may hold a line break, the share name must not be empty, and the key "
                              "must not be empty, hold \"=\" or begin with \"#\", \";\" or \"[\"";

std::string lineBreakIn(const std::string& what, const std::string& text)
{
    return text.find_first_of("\n\r") == std::string::npos ? "" : what + " holds a line break";
}

std::string nameProblem(const std::string& name)
{
    return name.empty() ? "the share name is empty" : lineBreakIn("the share name", name);
}

std::string keyProblem(const std::string& key)
{
    const std::string written = trimmed(key);
    if (written.empty())
        return "the key is empty";
    if (written.find('=') != std::string::npos)
        return "the key holds \"=\"";
    if (std::strchr("#;[", written.front()) != nullptr)
        return std::string("the key begins with \"") + written.front() + "\"";
    return "";
}

// The first problem found, with the rules in parentheses; the rules alone
// when none is found (a library with rules of its own).
std::string explain(std::initializer_list<std::string> problems, const std::string& rules)
{
    for (const std::string& problem : problems)
        if (!problem.empty())
            return problem + " (" + rules + ")";
    return rules;
}

}  // namespace

std::string trimmed(const std::string& text)
{
    const auto blank = [](char c) { return c >= 0x01 && c <= 0x20; };
    size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string invalidNameReason(const std::string& name)
{
    return explain({nameProblem(name)}, kTextRules);
}

std::string invalidCreateReason(const std::string& name, const std::string& path, const std::string& comment)
{
    return explain({nameProblem(name), lineBreakIn("the path", path), lineBreakIn("the comment", comment)},
                   kTextRules);
}

std::string invalidKeyReason(const std::string& name, const std::string& key)
{
    return explain({nameProblem(name), lineBreakIn("the key", key), keyProblem(key)}, kKeyRules);
}

std::string invalidSetReason(const std::string& name, const std::string& key, const std::string& value)
{
    return explain({nameProblem(name), lineBreakIn("the key", key), lineBreakIn("the value", value), keyProblem(key)},
                   kKeyRules);
}

}  // namespace velmora::cli
