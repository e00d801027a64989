// --json on every command: each answer is one valid JSON document (judged
// by python3's parser) of the documented shape, and the exit codes are the
// text form's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/samba/SambaFixtures.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

const std::string kConf =
    "[global]\n"
    "\tworkgroup = W\n"
    "[a]\n"
    "\tpath = /srv/new\n"
    "[b]\n"
    "\tpath = /srv/data\n"
    "\tcomment = B \"quoted\"\n"
    "\tread only = yes\n";
const std::string kLib = std::string("--library=") + VelmoraLibrary::path();

std::string instance(const std::string& name, const std::string& comment, const std::string& path,
                     const std::string& readOnly)
{
    return "{\"path\":\"root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:" + name +
           "\\\"\",\"className\":\"QVX_SambaFileShare\",\"properties\":{\"InstanceID\":\"Samba:" + name +
           "\",\"FileSharingProtocol\":3,\"ElementName\":\"" + name + "\",\"Comment\":" + comment +
           ",\"PathName\":\"" + path + "\",\"ReadOnly\":" + readOnly + ",\"InheritACLs\":null}}";
}

std::string edit(const std::string& share, const std::string& action, const std::string& result,
                 const std::string& code, const std::string& message, const std::string& reloaded = "null")
{
    return "{\"share\":\"" + share + "\",\"action\":\"" + action + "\",\"result\":\"" + result + "\",\"code\":" +
           code + ",\"message\":\"" + message + "\",\"reloaded\":" + reloaded +
           ",\"dryRun\":false,\"diff\":null,\"verdict\":\"\"}\n";
}

// Every case's standard output parses as JSON; the shapes are exact.
TEST(CliJson, EveryCommandAnswersInOneShape)
{
    samba::makeShareDirectories();
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Real);
    const std::string b = instance("b", "\"B \\\"quoted\\\"\"", "/srv/data", "true");
    const std::vector<clitest::Case> cases = {
        {{"names", kLib, "--json"}, 0,
         "[\"root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:a\\\"\","
         "\"root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:b\\\"\"]\n", ""},
        {{"instances", kLib, "--json"}, 0, "[\n  " + instance("a", "null", "/srv/new", "null") + ",\n  " + b + "\n]\n", ""},
        {{"get", "Samba:b", kLib, "--json"}, 0, b + "\n", ""},
        {{"shares", "list", "--json"}, 0, "[\"a\",\"b\"]\n", ""},
        {{"shares", "show", "b", "--json"}, 0,
         "{\"share\":\"b\",\"parameters\":[{\"key\":\"path\",\"value\":\"/srv/data\",\"line\":\"\\u0009path = "
         "/srv/data\"},{\"key\":\"comment\",\"value\":\"B \\\"quoted\\\"\",\"line\":\"\\u0009comment = B "
         "\\\"quoted\\\"\"},{\"key\":\"read only\",\"value\":\"yes\",\"line\":\"\\u0009read only = yes\"}]}\n", ""},
        {{"shares", "show", "a", "--json"}, 0,
         "{\"share\":\"a\",\"parameters\":[{\"key\":\"path\",\"value\":\"/srv/new\",\"line\":\"\\u0009path = "
         "/srv/new\"}]}\n", ""},
        {{"shares", "path", "b", "--json"}, 0, "{\"share\":\"b\",\"path\":\"/srv/data\"}\n", ""},
        {{"shares", "set", "b", "comment", "B \"quoted\"", "--json"}, 0,
         edit("b", "set", "unchanged", "0", "set comment = B \\\"quoted\\\" in share 'b'"), ""},
        {{"shares", "set", "b", "comment", "C", "--json"}, 0,
         edit("b", "set", "done", "0", "set comment = C in share 'b'"), "",
         kConf.substr(0, kConf.find("\tcomment")) + "\tcomment = C\n\tread only = yes\n"},
        {{"shares", "create", "b", "/srv/new", "x", "--json"}, 1,
         edit("b", "create", "refused", "-1", "cannot create share 'b': a share named 'b' exists already"),
         "velmora: cannot create share 'b': a share named 'b' exists already\n"},
        {{"shares", "delete", "global", "--json"}, 1,
         edit("global", "delete", "refused", "null",
              "cannot delete share 'global': 'global' is Samba's global section, the settings of the whole "
              "server; add --force to delete it all the same"),
         "velmora: cannot delete share 'global': ..."},
        {{"shares", "delete", "a", "--json", "--reload"}, 0,
         edit("a", "delete", "done", "0", "deleted share 'a'", "false"), "velmora: warning: smbd was not reloaded: ...",
         "[global]\n\tworkgroup = W\n[b]\n\tpath = /srv/data\n\tcomment = B \"quoted\"\n\tread only = yes\n"},
    };
    for (const clitest::Case& c : cases) {
        clitest::runCases(kConf, {c}, false, nullptr);
        const samba::CommandResult run = clitest::runTool(c.args, nullptr);
        if (!run.out.empty()) {
            EXPECT_TRUE(clitest::isJson(run.out));
        }
    }
}

// A dry run's report carries the diff it printed in text form. Needs the
// library's dry runs.
TEST(CliJson, DryRunCarriesTheDiff)
{
    testfs::writeSmbConf(kConf);
    const samba::CommandResult run = clitest::runTool({"shares", "set", "b", "comment", "C", "--dry-run", "--json"},
                                                      nullptr);
    EXPECT_EQ(0, run.exitCode) << run.err;
    EXPECT_EQ(kConf, testfs::readSmbConf());
    EXPECT_TRUE(clitest::isJson(run.out));
    // The diff as diff -u prints it, then as the JSON string carries it.
    const std::string diff = "--- a/etc/samba/smb.conf\n+++ b/etc/samba/smb.conf\n@@ -4,5 +4,5 @@\n"
                             " \tpath = /srv/new\n [b]\n \tpath = /srv/data\n-\tcomment = B \"quoted\"\n"
                             "+\tcomment = C\n \tread only = yes\n";
    std::string inJson;
    for (const char c : diff)
        inJson += c == '\n' ? "\\u000A" : c == '\t' ? "\\u0009" : c == '"' ? "\\\"" : std::string(1, c);
    EXPECT_EQ("{\"share\":\"b\",\"action\":\"set\",\"result\":\"done\",\"code\":0,\"message\":\"dry run, nothing "
              "changed: set comment = C in share 'b'\",\"reloaded\":null,\"dryRun\":true,\"diff\":\"" + inJson +
              "\",\"verdict\":\"\"}\n",
              run.out);
}

}  // namespace
