// The velmora tool against the fake provider built with velmora_* factories:
// what it prints, where, and its exit codes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/host/FakeLibrary.h"

namespace {

struct ToolRun {
    int exit = -1;
    std::string out, err;
};

std::string slurp(int fd)
{
    std::string text;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(fd);
    return text;
}

int scratchFile()
{
    char name[] = "/tmp/velmora-cli-XXXXXX";
    const int fd = mkstemp(name);
    unlink(name);
    return fd;
}

// Runs the tool with args, capturing both streams in unlinked scratch files.
ToolRun runTool(const std::vector<std::string>& args)
{
    const int out = scratchFile(), err = scratchFile();
    std::vector<char*> argv{const_cast<char*>(VELMORA_TOOL)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execv(VELMORA_TOOL, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ToolRun run;
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

const std::string kLib = std::string("--library=") + fake::kVelmora;
const std::string kPathA = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:a\"";
const std::string kPathB = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:b\"";

TEST(Cli, PrintsAnswersAndReportsFailures)
{
    struct Case {
        std::vector<std::string> args;
        int exit;
        std::string out;
        std::string err;  // exact, or a prefix when it ends in "..."
    };
    const Case cases[] = {
        {{"names", kLib, "--principal", "alice"}, 0, kPathA + "\n" + kPathB + "\n", ""},
        {{"names", kLib}, 0, kPathA + "\n" + kPathB + "\n", ""},  // the user running the tool
        {{"names", kLib, "--namespace=root/other"}, 0,
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:a\"\n"
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:b\"\n", ""},
        {{"names", kLib, "--principal", "denied"}, 1, "", "velmora: CMPI_RC_ERR_ACCESS_DENIED (2)\n"},
        {{"names", kLib, "--principal", "broken"}, 1, "",
         "velmora: CMPI_RC_ERR_FAILED (1): No Samba Service found on this machine\n"},
        {{"instances", kLib}, 0,
         "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:a\";\n};\n\n"
         "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:b\";\n};\n", ""},
        {{"instances", "--json", kLib, "--principal", "alice"}, 0,
         "[\n  {\"path\":\"" "root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:a\\\"\",\"className\":"
         "\"QVX_SambaFileShare\",\"properties\":{\"InstanceID\":\"Samba:a\"}},\n"
         "  {\"path\":\"root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:b\\\"\",\"className\":"
         "\"QVX_SambaFileShare\",\"properties\":{\"InstanceID\":\"Samba:b\"}}\n]\n", ""},
        {{"get", "Samba:b", kLib}, 0,
         "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:b\";\n    Comment = \"tab\\there\";\n};\n", ""},
        {{"get", kLib, "--json", "--", "Samba:a"}, 0,
         "{\"path\":\"" + std::string("root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:a\\\"") +
             "\",\"className\":\"QVX_SambaFileShare\",\"properties\":{\"InstanceID\":\"Samba:a\","
             "\"Comment\":\"tab\\u0009here\"}}\n", ""},
        {{"get", "Samba:zz", kLib}, 1, "", "velmora: CMPI_RC_ERR_FAILED (1): Samba share does not exist \n"},
        {{"names", "--library", "/nonexistent/lib.so"}, 1, "", "velmora: cannot load /nonexistent/lib.so: ..."},
        {{"get", kLib}, 2, "", "velmora: 'get' takes 1 argument(s), 0 given\n\nusage: velmora ..."},
        {{"names", "--json", kLib}, 2, "", "velmora: unknown option '--json' for 'names'\n..."},
        {{"names", "--principal"}, 2, "", "velmora: option '--principal' needs a value (USER)\n..."},
        {{"shares"}, 2, "", "velmora: 'shares' needs a command: list, show, path, create, set, delete\n..."},
        {{"bogus"}, 2, "", "velmora: unknown command 'bogus'\n..."},
        {{}, 2, "", "velmora: no command given\n..."},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& arg : c.args)
            line += arg + " ";
        SCOPED_TRACE(line);
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(c.exit, run.exit);
        EXPECT_EQ(c.out, run.out);
        const bool prefix = c.err.size() >= 3 && c.err.compare(c.err.size() - 3, 3, "...") == 0;
        if (prefix)
            EXPECT_EQ(c.err.substr(0, c.err.size() - 3), run.err.substr(0, c.err.size() - 3));
        else
            EXPECT_EQ(c.err, run.err);
    }
}

TEST(Cli, HelpGoesToStandardOutput)
{
    const ToolRun run = runTool({"--help"});
    EXPECT_EQ(0, run.exit);
    EXPECT_EQ(0u, run.out.find("usage: velmora <command> [options]\n"));
    EXPECT_NE(std::string::npos, run.out.find("velmora get <InstanceID> [--json]"));
    EXPECT_EQ("", run.err);
}

}  // namespace
