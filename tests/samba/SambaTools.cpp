#include "tests/samba/SambaTools.h"

#include <unistd.h>

#include <sstream>
#include <vector>

#include "tests/samba/Command.h"

namespace samba {
namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// testparm -s prints "[name]" headers and "\tkey = value" lines; everything
// else (comments, blank lines) carries no parameter.
SambaView parseView(const std::string& out)
{
    SambaView view;
    std::istringstream lines(out);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            view[section];
            continue;
        }
        const size_t equals = line.find('=');
        if (section.empty() || line.empty() || line.front() != '\t' || equals == std::string::npos)
            continue;
        view[section][trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
    }
    return view;
}

}  // namespace

std::string missingSambaTools()
{
    std::string missing;
    for (const char* file : {"/usr/sbin/smbd", "/usr/bin/testparm", "/usr/bin/smbclient", kDebianTemplate}) {
        if (access(file, R_OK) != 0)
            missing += std::string(missing.empty() ? "" : " ") + file;
    }
    return missing;
}

Testparm testparm(const std::string& file)
{
    const CommandResult run = runCommand({"testparm", "-s", file});
    Testparm result;
    result.exitCode = run.exitCode;
    result.messages = run.err;
    result.view = parseView(run.out);
    return result;
}

std::optional<std::string> testparmParameter(const std::string& file, const std::string& section,
                                             const std::string& parameter)
{
    const CommandResult run = runCommand(
        {"testparm", "-s", "--section-name=" + section, "--parameter-name=" + parameter, file});
    if (run.exitCode != 0)
        return std::nullopt;
    std::string value = run.out;
    if (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

}  // namespace samba
