// The velmora tool's provider commands (names, instances, get) with the real
// library, and every command's usage errors: what it prints, where, and its
// exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/samba/Command.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

struct Case {
    std::vector<std::string> args;
    int exit;
    std::string out;  // exact, or a prefix when it ends in "..."
    std::string err;  // likewise
};

void expectText(const std::string& expected, const std::string& actual)
{
    const bool prefix = expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0;
    if (prefix)
        EXPECT_EQ(expected.substr(0, expected.size() - 3), actual.substr(0, expected.size() - 3));
    else
        EXPECT_EQ(expected, actual);
}

void run(const Case& c)
{
    std::vector<std::string> argv = {VELMORA_TOOL};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::string line;
    for (const std::string& arg : argv)
        line += "'" + arg + "' ";
    SCOPED_TRACE(line);
    const samba::CommandResult result = samba::runCommand(argv);
    EXPECT_EQ(c.exit, result.exitCode);
    expectText(c.out, result.out);
    expectText(c.err, result.err);
}

const std::string kLib = std::string("--library=") + VelmoraLibrary::path();
const std::string kPathA = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:a\"";
const std::string kPathB = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:b\"";
const std::string kMofA = "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:a\";\n"
                          "    FileSharingProtocol = 3;\n    ElementName = \"a\";\n    PathName = \"\";\n};\n";
const std::string kMofB = "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:b\";\n"
                          "    FileSharingProtocol = 3;\n    ElementName = \"b\";\n    Comment = \"tab\\there\";\n"
                          "    PathName = \"\";\n};\n";

// Share a or b in JSON; enumerated instances carry the request's path, a
// fetched one the path it was asked for.
std::string json(char share, const std::string& key)
{
    const std::string name(1, share);
    return "{\"path\":\"root/cimv2:QVX_SambaFileShare" + key + "\",\"className\":\"QVX_SambaFileShare\","
           "\"properties\":{\"InstanceID\":\"Samba:" + name + "\",\"FileSharingProtocol\":3,\"ElementName\":\"" +
           name + "\"," + (share == 'b' ? "\"Comment\":\"tab\\u0009here\"," : "") + "\"PathName\":\"\"}}";
}

// The real rights library grants root (the user running the tool) and
// refuses nobody.
TEST(Cli, ProviderCommandsPrintAnswersAndReportFailures)
{
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Real);
    testfs::writeSmbConf("[a]\n[b]\n\tcomment = tab\there\n");
    const std::vector<Case> cases = {
        {{"names", kLib, "--principal", "root"}, 0, kPathA + "\n" + kPathB + "\n", ""},
        {{"names", kLib}, 0, kPathA + "\n" + kPathB + "\n", ""},
        {{"names", kLib, "--namespace=root/other"}, 0,
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:a\"\n"
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:b\"\n", ""},
        {{"names", kLib, "--principal", "nobody"}, 1, "", "velmora: CMPI_RC_ERR_ACCESS_DENIED (2)\n"},
        {{"instances", kLib}, 0, kMofA + "\n" + kMofB, ""},
        {{"instances", "--json", kLib, "--principal", "root"}, 0,
         "[\n  " + json('a', "") + ",\n  " + json('b', "") + "\n]\n", ""},
        {{"get", "Samba:b", kLib}, 0, kMofB, ""},
        {{"get", kLib, "--json", "--", "Samba:a"}, 0, json('a', ".InstanceID=\\\"Samba:a\\\"") + "\n", ""},
        {{"get", "Samba:zz", kLib}, 1, "", "velmora: CMPI_RC_ERR_FAILED (1): Samba share does not exist \n"},
        {{"names", "--library", "/nonexistent/lib.so"}, 1, "", "velmora: cannot load /nonexistent/lib.so: ..."},
    };
    for (const Case& c : cases)
        run(c);
}

TEST(Cli, WrongCommandLinesAreUsageErrorsAndHelpIsNot)
{
    const std::string usage = "\nusage: velmora <command> [options]\n...";
    const std::string sharesUsage = "\nusage: velmora shares <command> [options]\n...";
    const std::vector<Case> cases = {
        {{"get", kLib}, 2, "", "velmora: 'get' takes 1 argument(s), 0 given\n" + usage},
        {{"names", "--json", kLib}, 2, "", "velmora: unknown option '--json' for 'names'\n" + usage},
        {{"names", "--principal"}, 2, "", "velmora: option '--principal' needs a value (USER)\n" + usage},
        {{"bogus"}, 2, "", "velmora: unknown command 'bogus'\n" + usage},
        {{}, 2, "", "velmora: no command given\n" + usage},
        {{"shares"}, 2, "", "velmora: 'shares' needs a command: list, show, path, create, set, delete\n" + sharesUsage},
        {{"shares", "bogus"}, 2, "", "velmora: unknown command 'shares bogus'\n" + sharesUsage},
        {{"shares", "show"}, 2, "", "velmora: 'shares show' takes 1 argument(s), 0 given\n" + sharesUsage},
        {{"shares", "create", "a", "/srv"}, 2, "",
         "velmora: 'shares create' takes 3 argument(s), 2 given\n" + sharesUsage},
        {{"shares", "list", "--reload"}, 2, "", "velmora: unknown option '--reload' for 'shares list'\n" + sharesUsage},
        {{"shares", "delete", "d", "--reload=yes"}, 2, "", "velmora: option '--reload' takes no value\n" + sharesUsage},
        {{"--help"}, 0, usage.substr(1), ""},
        {{"shares", "--help"}, 0, sharesUsage.substr(1), ""},
    };
    for (const Case& c : cases)
        run(c);
}

}  // namespace
