// The velmora tool run as a user runs it: the real tool binary with the real
// libvelmora.so.0, on smb.conf files inside the test's sandbox. Each case
// checks the exit status, both streams and the exact bytes of smb.conf
// afterwards.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/samba/SambaFixtures.h"
#include "tests/samba/SmbdServer.h"
#include "tests/support/Files.h"
#include "tests/support/Sandbox.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

using clitest::Case;
using clitest::runCases;

// Two sections whose names differ only in case ([Twin] before [twin]), a
// section without lines, one without a path line and one with an empty
// path, between shares that look like real ones.
const std::string kConf =
    "[global]\n"
    "   workgroup = WORKGROUP\n"
    "   server string = %h server\n"
    "\n"
    "[data]\n"
    "\tpath = /srv/data\n"
    "\tcomment = Data\n"
    "# backed up every night\n"
    "   read only = no\n"
    "\n"
    "[empty]\n"
    "\n"
    "[nopath]\n"
    "\tcomment = no directory here\n"
    "\tbrowseable = yes\n"
    "\n"
    "[Twin]\n"
    "\tpath = /srv/twin-upper\n"
    "[twin]\n"
    "\tpath = /srv/twin-lower\n"
    "[blank]\n"
    "\tpath =\n";

const std::string kTextRules = " (no text may hold a line break, and the share name must not be empty)";
const std::string kKeyRules =
    " (no text may hold a line break, the share name must not be empty, and the key must not be empty, "
    "hold \"=\" or begin with \"#\", \";\" or \"[\")";
const std::string kNoConf = "cannot read /etc/samba/smb.conf: No such file or directory";

// kConf with the first occurrence of replaced swapped for replacement.
std::string confWith(const std::string& replaced, const std::string& replacement)
{
    const size_t at = kConf.find(replaced);
    EXPECT_NE(std::string::npos, at) << replaced;
    return kConf.substr(0, at) + replacement + kConf.substr(at + replaced.size());
}

TEST(CliShares, ReadCommandsPrintTheSharesOfTheFile)
{
    runCases(kConf, {
        {{"list"}, 0, "data\nempty\nnopath\nTwin\nblank\n", ""},
        {{"show", "data"}, 0, "\tpath = /srv/data\n\tcomment = Data\n   read only = no\n", ""},
        {{"show", "global"}, 0, "   workgroup = WORKGROUP\n   server string = %h server\n", ""},
        {{"show", "empty"}, 0, "", ""},
        {{"show", "Twin"}, 0, "\tpath = /srv/twin-upper\n\tpath = /srv/twin-lower\n", ""},
        {{"show", "DATA"}, 1, "", "velmora: no share named 'DATA'\n"},
        {{"show", ""}, 1, "", "velmora: no share named ''\n"},
        {{"show", "twin"}, 0, "\tpath = /srv/twin-upper\n\tpath = /srv/twin-lower\n", ""},
        {{"path", "data"}, 0, "/srv/data\n", ""},
        {{"path", "Twin"}, 0, "/srv/twin-lower\n", ""},
        {{"path", "twin"}, 0, "/srv/twin-lower\n", ""},
        {{"path", "nopath"}, 1, "", "velmora: share 'nopath' has no path line\n"},
        {{"path", "empty"}, 1, "", "velmora: share 'empty' has no path line\n"},
        {{"path", "blank"}, 1, "", "velmora: share 'blank' has an empty path\n"},
        {{"path", "missing"}, 1, "", "velmora: no share named 'missing'\n"},
        {{"path", std::string(5000, 'x')}, 1, "", "velmora: no share named '" + std::string(5000, 'x') + "'\n"},
        {{"list", "--library=/nonexistent/lib.so"}, 1, "",
         "velmora: cannot load /nonexistent/lib.so: /nonexistent/lib.so: cannot open shared object file: "
         "No such file or directory\n"},
        {{"show", "data", "--library", VELMORA_FAKE_RIGHTS_PATH}, 1, "",
         "velmora: " + std::string(VELMORA_FAKE_RIGHTS_PATH) + ": does not export CLIGetSambaShares\n"},
    });
}

TEST(CliShares, CommandsSayWhenTheFileCannotBeRead)
{
    samba::makeShareDirectories();
    runCases(std::nullopt, {
        {{"list"}, 1, "", "velmora: " + kNoConf + "\n"},
        {{"show", "data"}, 1, "", "velmora: no share named 'data' (" + kNoConf + ")\n"},
        {{"path", "data"}, 1, "", "velmora: no share named 'data' (" + kNoConf + ")\n"},
        {{"create", "new", "/srv/new", "x"}, 1, "",
         "velmora: cannot create share 'new': /etc/samba/smb.conf could not be written (" + kNoConf + ")\n"},
    }, true);
    // An empty file has no shares, and that is no failure.
    runCases("", {{{"list"}, 0, "", "", {}}});
}

TEST(CliShares, EditsChangeTheFileAndSayWhatTheyDid)
{
    samba::makeShareDirectories();
    runCases(kConf, {
        {{"create", "new", "/srv/new", "New share"}, 0, "created share 'new' (path /srv/new)\n", "",
         kConf + "\n[new]\n\tpath = /srv/new\n\tcomment = New share\n"},
        {{"create", "Empty", "/srv/new", ""}, 1, "",
         "velmora: cannot create share 'Empty': a share named 'empty' exists already\n"},
        // Samba reads 'false' as the 'no' in place: nothing to change.
        {{"set", "data", "read only", "false"}, 0, "set read only = no in share 'data'\n", ""},
        {{"set", "data", "read only", "yes"}, 0, "set read only = yes in share 'data'\n", "",
         confWith("   read only = no\n", "\tread only = yes\n")},
        {{"set", "data", " browseable ", " yes "}, 0, "set browseable = yes in share 'data'\n", "",
         confWith("   read only = no\n", "   read only = no\n\tbrowseable = yes\n")},
        {{"set", "DATA", "comment", "Files"}, 0, "set comment = Files in share 'DATA'\n", "",
         confWith("\tcomment = Data\n", "\tcomment = Files\n")},
        {{"set", "data", "comment", "Data"}, 0, "set comment = Data in share 'data'\n", ""},
        {{"set", "empty", "guest ok", "yes"}, 0, "set guest ok = yes in share 'empty'\n", "",
         confWith("[empty]\n", "[empty]\n\tguest ok = yes\n")},
        {{"set", "Twin", "path", "/srv/new"}, 0, "set path = /srv/new in share 'Twin'\n", "",
         confWith("\tpath = /srv/twin-upper\n[twin]\n\tpath = /srv/twin-lower\n",
                  "\tpath = /srv/new\n[twin]\n\tpath = /srv/new\n")},
        {{"delete", "nopath"}, 0, "deleted share 'nopath'\n", "",
         confWith("[nopath]\n\tcomment = no directory here\n\tbrowseable = yes\n\n", "")},
        {{"delete", "blank"}, 0, "deleted share 'blank'\n", "", confWith("[blank]\n\tpath =\n", "")},
        {{"delete", "Twin"}, 0, "deleted share 'Twin'\n", "",
         confWith("[Twin]\n\tpath = /srv/twin-upper\n[twin]\n\tpath = /srv/twin-lower\n", "")},
        // The share Samba reads, whichever of its sections is named.
        {{"delete", "twin"}, 0, "deleted share 'twin'\n", "",
         confWith("[Twin]\n\tpath = /srv/twin-upper\n[twin]\n\tpath = /srv/twin-lower\n", "")},
    });
}

TEST(CliShares, RefusedEditsSayWhyAndLeaveTheFileAlone)
{
    samba::makeShareDirectories();
    const std::string exists = "a share named 'data' exists already";
    runCases(kConf, {
        {{"create", "data", "/srv/new", "x"}, 1, "", "velmora: cannot create share 'data': " + exists + "\n"},
        {{"create", "new", "/srv/missing", "x"}, 1, "",
         "velmora: cannot create share 'new': cannot examine path '/srv/missing': No such file or directory\n"},
        {{"create", "new", "/srv/link", "x"}, 1, "",
         "velmora: cannot create share 'new': '/srv/link' is a symbolic link; give the directory itself\n"},
        {{"create", "", "/srv/new", "x"}, 1, "",
         "velmora: cannot create share '': invalid argument: the share name is empty" + kTextRules + "\n"},
        {{"create", "new]\n[evil", "/srv/new", "x"}, 1, "",
         "velmora: cannot create share 'new]\n[evil': invalid argument: the share name holds a line break" +
             kTextRules + "\n"},
        {{"create", "new", "/srv/new", "x\r\n\tpath = /"}, 1, "",
         "velmora: cannot create share 'new': invalid argument: the comment holds a line break" + kTextRules + "\n"},
        {{"set", "data", "", "x"}, 1, "",
         "velmora: cannot set '' in share 'data': invalid argument: the key is empty" + kKeyRules + "\n"},
        {{"set", "data", "a = b", "x"}, 1, "",
         "velmora: cannot set 'a = b' in share 'data': invalid argument: the key holds \"=\"" + kKeyRules + "\n"},
        {{"set", "data", " [x", "y"}, 1, "",
         "velmora: cannot set ' [x' in share 'data': invalid argument: the key begins with \"[\"" + kKeyRules + "\n"},
        {{"set", "data", "comment", "x\nroot preexec = sh"}, 1, "",
         "velmora: cannot set 'comment' in share 'data': invalid argument: the value holds a line break" +
             kKeyRules + "\n"},
        {{"set", "missing", "comment", "x"}, 1, "",
         "velmora: cannot set 'comment' in share 'missing': no share named 'missing'\n"},
        {{"delete", "DATA"}, 1, "", "velmora: cannot delete share 'DATA': no share named 'DATA'\n"},
        {{"delete", ""}, 1, "",
         "velmora: cannot delete share '': invalid argument: the share name is empty" + kTextRules + "\n"},
        {{"create", "data", "/srv/new", "x", "--reload"}, 1, "",
         "velmora: cannot create share 'data': " + exists + "\n"},
    });
}

// Removes the read-only bind mount when the test ends, so that later tests
// of the same process can write again.
struct ReadOnlySambaDir {
    ReadOnlySambaDir()
    {
        std::string error;
        ready = sandbox::makeReadOnly("/etc/samba", error);
        EXPECT_TRUE(ready) << error;
    }
    ~ReadOnlySambaDir()
    {
        if (ready)
            umount2("/etc/samba", MNT_DETACH);
    }
    bool ready = false;
};

TEST(CliShares, EditsOfAFileThatCannotBeWrittenFail)
{
    samba::makeShareDirectories();
    testfs::writeSmbConf(kConf);
    const ReadOnlySambaDir readOnly;
    ASSERT_TRUE(readOnly.ready);
    const std::string hint = "/etc/samba/smb.conf could not be written (/etc/samba: Read-only file system)\n";
    runCases(kConf, {
        {{"create", "new", "/srv/new", "x"}, 1, "",
         "velmora: cannot create share 'new': " + hint},
        {{"set", "data", "comment", "x"}, 1, "", "velmora: cannot set 'comment' in share 'data': " + hint},
        {{"delete", "data", "--reload"}, 1, "", "velmora: cannot delete share 'data': " + hint},
    }, true);
}

// With --reload and no smbd running, the edit stands and the tool exits 0;
// the reload's failure is a warning that names smbcontrol's reason. Samba's
// run-time directories point into the sandbox's /etc, so smbcontrol finds
// no smbd and leaves nothing on the host.
TEST(CliShares, ReloadWithoutSmbdWarnsButTheEditStands)
{
    samba::makeShareDirectories();
    const std::string global = "[global]\n"
                               "   pid directory = /etc/samba/run\n"
                               "   lock directory = /etc/samba/lock\n";
    const std::string share = "\n[data]\n\tpath = /srv/data\n\tcomment = Data\n";
    const std::string warning =
        access("/usr/bin/smbcontrol", X_OK) == 0
            ? "velmora: warning: smbd was not reloaded: Can't find pid for destination 'smbd' (smbcontrol exited "
              "with status 1)\n"
            : "velmora: warning: smbd was not reloaded: cannot run /usr/bin/smbcontrol: No such file or directory\n";
    runCases(global + share, {
        {{"create", "new", "/srv/new", "x", "--reload"}, 0, "created share 'new' (path /srv/new)\n", warning,
         global + share + "\n[new]\n\tpath = /srv/new\n\tcomment = x\n"},
        {{"set", "--reload", "data", "comment", "Files"}, 0, "set comment = Files in share 'data'\n", warning,
         global + "\n[data]\n\tpath = /srv/data\n\tcomment = Files\n"},
        {{"delete", "data", "--reload"}, 0, "deleted share 'data'\n", warning, global + "\n"},
    });
}

// With a real smbd running, --reload makes it load the edited file.
TEST(CliShares, ReloadReachesARunningSmbd)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    samba::SmbdServer server;
    std::string error;
    ASSERT_TRUE(server.start(error)) << error;
    const std::string before = testfs::readSmbConf().value_or("");
    runCases(before, {{{"create", "reloaded", "/srv/scratch", "Reloaded", "--reload"}, 0,
                       "created share 'reloaded' (path /srv/scratch)\nsmbd reloaded its configuration\n", "",
                       before + "\n[reloaded]\n\tpath = /srv/scratch\n\tcomment = Reloaded\n"}});
    EXPECT_TRUE(server.stop(error)) << error;
}

const std::string kAB = "[a]\n[b]\n\tcomment = tab\there\n";
const std::string kLib = std::string("--library=") + VelmoraLibrary::path();
const std::string kPathA = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:a\"";
const std::string kPathB = "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:b\"";
const std::string kMofA = "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:a\";\n"
                          "    FileSharingProtocol = 3;\n    ElementName = \"a\";\n    PathName = \"\";\n};\n";
const std::string kMofB = "instance of QVX_SambaFileShare {\n    InstanceID = \"Samba:b\";\n"
                          "    FileSharingProtocol = 3;\n    ElementName = \"b\";\n    Comment = \"tab\\there\";\n"
                          "    PathName = \"\";\n};\n";

// Share a or b in JSON: always the keyed path (enumerated instances come
// with the request's path, which the tool keys), the class's properties in
// its order, unset ones null.
std::string json(char share)
{
    const std::string name(1, share);
    return "{\"path\":\"root/cimv2:QVX_SambaFileShare.InstanceID=\\\"Samba:" + name +
           "\\\"\",\"className\":\"QVX_SambaFileShare\",\"properties\":{\"InstanceID\":\"Samba:" + name +
           "\",\"FileSharingProtocol\":3,\"ElementName\":\"" + name + "\",\"Comment\":" +
           (share == 'b' ? "\"tab\\u0009here\"" : "null") + ",\"PathName\":\"\",\"ReadOnly\":null,\"InheritACLs\":null}}";
}

// The real rights library grants root (the user running the tool) and
// refuses nobody.
TEST(Cli, ProviderCommandsPrintAnswersAndReportFailures)
{
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Real);
    const std::vector<Case> cases = {
        {{"names", kLib, "--principal", "root"}, 0, kPathA + "\n" + kPathB + "\n", ""},
        {{"names", kLib}, 0, kPathA + "\n" + kPathB + "\n", ""},
        {{"names", kLib, "--namespace=root/other"}, 0,
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:a\"\n"
         "root/other:QVX_SambaFileShare.InstanceID=\"Samba:b\"\n", ""},
        {{"names", kLib, "--principal", "nobody"}, 1, "",
         "velmora: CMPI_RC_ERR_ACCESS_DENIED (2): the principal 'nobody' may not read the shares. Access is "
         "decided by /usr/lib64/libqel_misc.so: velmora's own grants it to uid 0 and to the members of the group "
         "'sambashare' (e.g. usermod -aG sambashare nobody); ask for another user with --principal\n"},
        {{"instances", kLib}, 0, kMofA + "\n" + kMofB, ""},
        {{"instances", "--json", kLib, "--principal", "root"}, 0,
         "[\n  " + json('a') + ",\n  " + json('b') + "\n]\n", ""},
        {{"get", "Samba:b", kLib}, 0, kMofB, ""},
        {{"get", kLib, "--json", "--", "Samba:a"}, 0, json('a') + "\n", ""},
        {{"get", "Samba:zz", kLib}, 1, "", "velmora: CMPI_RC_ERR_FAILED (1): Samba share does not exist \n"},
        {{"names", "--library", "/nonexistent/lib.so"}, 1, "", "velmora: cannot load /nonexistent/lib.so: ..."},
    };
    runCases(kAB, cases, false, nullptr);
}

TEST(Cli, WrongCommandLinesAreUsageErrorsAndHelpIsNot)
{
    const std::string usage = "usage: velmora <command> [options]\nRun 'velmora --help' for the commands.\n";
    const std::string sharesUsage = "usage: velmora shares <command> [options]\nRun 'velmora help shares' for its "
                                    "commands.\n";
    const auto usageOf = [](const std::string& command, const std::string& synopsis) {
        return "usage: velmora " + command + synopsis + "\nRun 'velmora " + command + " --help' for more.\n";
    };
    const std::string get = usageOf("get", " <InstanceID> [--json] [--namespace NS] [--principal USER] [--library PATH]");
    const std::string names = usageOf("names", " [--json] [--namespace NS] [--principal USER] [--library PATH]");
    const std::vector<Case> cases = {
        {{"get", kLib}, 2, "", "velmora: 'get' takes 1 argument(s), 0 given\n" + get},
        {{"names", "--dry-run", kLib}, 2, "", "velmora: unknown option '--dry-run' for 'names'\n" + names},
        {{"names", "--principal"}, 2, "", "velmora: option '--principal' needs a value (USER)\n" + names},
        {{"bogus"}, 2, "", "velmora: unknown command 'bogus'\n" + usage},
        {{}, 2, "", "velmora: no command given\n" + usage},
        {{"shares"}, 2, "",
         "velmora: 'shares' needs a command: list, show, path, create, set, unset, delete\n" + sharesUsage},
        {{"shares", "bogus"}, 2, "", "velmora: unknown command 'shares bogus'\n" + sharesUsage},
        {{"shares", "show"}, 2, "",
         "velmora: 'shares show' takes 1 argument(s), 0 given\n" + usageOf("shares show", " <name> [--json] [--library PATH]")},
        {{"shares", "create", "a", "/srv"}, 2, "", "velmora: 'shares create' takes 3 argument(s), 2 given\n..."},
        {{"shares", "list", "--reload"}, 2, "", "velmora: unknown option '--reload' for 'shares list'\n..."},
        {{"shares", "delete", "d", "--reload=yes"}, 2, "", "velmora: option '--reload' takes no value\n..."},
        {{"help", "bogus"}, 2, "", "velmora: no help for unknown command 'bogus'\n" + usage},
        {{"--help"}, 0, "usage: velmora <command> [options]\n...", ""},
        {{"shares", "--help"}, 0, "usage: velmora shares <command> [options]\n...", ""},
        {{"--version"}, 0, "velmora 0.1.0\n", ""},
    };
    runCases(kAB, cases, false, nullptr);
}

}  // namespace
