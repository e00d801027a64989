#include "tests/cli/CliRun.h"

#include <gtest/gtest.h>

#include "tests/support/Files.h"

namespace clitest {

void expectText(const std::string& expected, const std::string& actual)
{
    const size_t size = expected.size();
    if (size >= 3 && expected.compare(size - 3, 3, "...") == 0)
        EXPECT_EQ(expected.substr(0, size - 3), actual.substr(0, size - 3));
    else
        EXPECT_EQ(expected, actual);
}

std::string lastLine(const std::string& text)
{
    const size_t start = text.size() < 2 ? std::string::npos : text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

samba::CommandResult runTool(const std::vector<std::string>& args, const char* command)
{
    std::vector<std::string> argv = {VELMORA_TOOL};
    if (command != nullptr)
        argv.push_back(command);
    argv.insert(argv.end(), args.begin(), args.end());
    return samba::runCommand(argv);
}

void runCases(const std::optional<std::string>& original, const std::vector<Case>& cases, bool lastLineOnly,
              const char* command)
{
    for (const Case& c : cases) {
        std::string line = std::string("velmora ") + (command ? command : "");
        for (const std::string& arg : c.args)
            line += " '" + arg + "'";
        SCOPED_TRACE(line);
        if (original && original != testfs::readSmbConf())
            testfs::writeSmbConf(*original);
        if (!original)
            testfs::removeFile(testfs::kSmbConf);
        const samba::CommandResult run = runTool(c.args, command);
        EXPECT_EQ(c.exit, run.exitCode);
        expectText(c.out, run.out);
        expectText(c.err, lastLineOnly ? lastLine(run.err) : run.err);
        EXPECT_EQ(c.conf ? c.conf : original, testfs::readSmbConf());
    }
}

bool isJson(const std::string& text)
{
    const samba::CommandResult parsed =
        samba::runCommand({"python3", "-c", "import json, sys; json.loads(sys.argv[1])", text});
    EXPECT_EQ(0, parsed.exitCode) << text << "\n" << parsed.err;
    return parsed.exitCode == 0;
}

}  // namespace clitest
