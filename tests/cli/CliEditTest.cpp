// The tool's edits as administrators and scripts rely on them: help for
// every command, the exit codes, the guards, dry runs that change nothing
// and show the edit that follows, unset judged by Samba itself, a report
// that cannot be written, and the audit line of every edit.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/samba/SambaFixtures.h"
#include "tests/support/Files.h"
#include "tests/support/Sandbox.h"

namespace {

using clitest::Case;
using clitest::runCases;
using clitest::runTool;

const std::string kConf =
    "[global]\n"
    "   workgroup = WORKGROUP\n"
    "\n"
    "[data]\n"
    "\tpath = /srv/data\n"
    "\tcomment = Data\n"
    "\tread only = no\n";
const std::string kShare = "[data]\n\tpath = /srv/data\n\tcomment = Data\n\tread only = no\n";

// kConf with the first occurrence of replaced swapped for replacement.
std::string confWith(const std::string& replaced, const std::string& replacement)
{
    const size_t at = kConf.find(replaced);
    EXPECT_NE(std::string::npos, at) << replaced;
    return kConf.substr(0, at) + replacement + kConf.substr(at + replaced.size());
}

TEST(CliHelp, EveryCommandHasItsHelpBothWays)
{
    const std::vector<std::vector<std::string>> commands = {
        {"names"},         {"instances"},     {"get"},          {"shares", "list"},   {"shares", "show"},
        {"shares", "path"}, {"shares", "create"}, {"shares", "set"}, {"shares", "unset"}, {"shares", "delete"}};
    for (const std::vector<std::string>& words : commands) {
        std::string name;
        for (const std::string& word : words)
            name += (name.empty() ? "" : " ") + word;
        SCOPED_TRACE(name);
        std::vector<std::string> asOption = words;
        asOption.push_back("--help");
        std::vector<std::string> asCommand = words;
        asCommand.insert(asCommand.begin(), "help");
        const samba::CommandResult option = runTool(asOption, nullptr);
        const samba::CommandResult command = runTool(asCommand, nullptr);
        EXPECT_EQ(0, option.exitCode);
        EXPECT_EQ("", option.err);
        EXPECT_EQ(0, command.exitCode);
        EXPECT_EQ(option.out, command.out);
        EXPECT_EQ(0u, option.out.find("usage: velmora " + name + " ")) << option.out;
        EXPECT_NE(std::string::npos, option.out.find("Exit status: 0 done")) << option.out;
    }
    EXPECT_EQ(runTool({"--help"}, nullptr).out, runTool({"help"}, nullptr).out);
    // The manual page names the version the tool reports.
    const std::string version = runTool({"--version"}, nullptr).out;
    ASSERT_EQ(0u, version.find("velmora "));
    const std::string manual = testfs::readFile(VELMORA_MANPAGE).value_or("");
    EXPECT_NE(std::string::npos, manual.find("\"" + version.substr(0, version.size() - 1) + "\"")) << version;
    EXPECT_EQ(runTool({"shares", "--help"}, nullptr).out, runTool({"help", "shares"}, nullptr).out);
}

// The completion file, sourced by bash and asked as bash asks it: the
// replies for the last word of each line, one per line.
std::string complete(const std::vector<std::string>& words)
{
    std::string script = "source \"$0\"; COMP_WORDS=(";
    for (const std::string& word : words)
        script += "'" + word + "' ";
    script += "); COMP_CWORD=" + std::to_string(words.size() - 1) +
              "; _velmora; printf '%s\\n' \"${COMPREPLY[@]}\"";
    const samba::CommandResult run = samba::runCommand({"bash", "-c", script, VELMORA_COMPLETION});
    EXPECT_EQ("", run.err);
    return run.out;
}

TEST(CliHelp, CompletionOffersCommandsOptionsAndShareNames)
{
    testfs::writeSmbConf("[data]\n[my docs]\n[dump]\n");
    const std::string tool = VELMORA_TOOL;
    const struct {
        std::vector<std::string> words;
        std::string replies;
    } cases[] = {
        {{tool, ""}, "names\ninstances\nget\nshares\nhelp\n"},
        {{tool, "--v"}, "--version\n"},
        {{tool, "shares", "u"}, "unset\n"},
        {{tool, "help", "shares", "d"}, "delete\n"},
        {{tool, "shares", "delete", "--"}, "--dry-run\n--force\n--reload\n--json\n--library\n--help\n"},
        {{tool, "shares", "list", "--"}, "--json\n--library\n--help\n"},
        {{tool, "shares", "set", ""}, "data\nmy docs\ndump\n"},
        {{tool, "shares", "delete", "--dry-run", "d"}, "data\ndump\n"},
        {{tool, "shares", "unset", "my"}, "my docs\n"},
        {{tool, "shares", "set", "data", ""}, "\n"},
        {{tool, "shares", "show", "--library", "/nonexistent.so", ""}, "\n"},
        {{tool, "shares", "create", "new", "/et"}, "/etc\n"},
        {{tool, "get", "Samba:m"}, "Samba:my docs\n"},
        {{tool, "get", "Samba", ":", "du"}, "dump\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.back());
        EXPECT_EQ(c.replies, complete(c.words));
    }
}

const std::string kGlobalDelete = "' is Samba's global section, the settings of the whole server; add --force to "
                                  "delete it all the same\n";
const std::string kGlobalUnset = "' is Samba's global section, the settings of the whole server; add --force to "
                                 "change it all the same\n";

// Exit 0 for done and for "already so", 1 for failed, and the global
// section only with --force.
TEST(CliEdits, ExitCodesAndGuards)
{
    samba::makeShareDirectories();
    runCases(kConf, {
        {{"set", "data", "comment", "Data"}, 0, "set comment = Data in share 'data'\n", ""},
        {{"delete", "missing"}, 1, "", "velmora: cannot delete share 'missing': no share named 'missing'\n"},
        {{"unset", "missing", "comment"}, 1, "",
         "velmora: cannot unset 'comment' in share 'missing': no share named 'missing'\n"},
        {{"delete", "global"}, 1, "", "velmora: cannot delete share 'global': 'global" + kGlobalDelete},
        {{"delete", "GLOBAL", "--dry-run"}, 1, "", "velmora: cannot delete share 'GLOBAL': 'GLOBAL" + kGlobalDelete},
        {{"delete", "Globals"}, 1, "", "velmora: cannot delete share 'Globals': 'Globals" + kGlobalDelete},
        {{"unset", "global", "workgroup"}, 1, "",
         "velmora: cannot unset 'workgroup' in share 'global': 'global" + kGlobalUnset},
        {{"unset", "globals", "anything"}, 1, "",
         "velmora: cannot unset 'anything' in share 'globals': 'globals" + kGlobalUnset},
        {{"delete", "global", "--force"}, 0, "deleted share 'global'\n", "", kShare},
        {{"create", "file", "/etc/samba/smb.conf", "x"}, 0, "created share 'file' (path /etc/samba/smb.conf)\n",
         "velmora: warning: the path '/etc/samba/smb.conf' is not a directory; Samba needs the absolute path of a "
         "directory\n",
         kConf + "\n[file]\n\tpath = /etc/samba/smb.conf\n\tcomment = x\n"},
        {{"create", "here", ".", "x"}, 0, "created share 'here' (path .)\n",
         "velmora: warning: the path '.' is not an absolute path; Samba needs the absolute path of a directory\n",
         kConf + "\n[here]\n\tpath = .\n\tcomment = x\n"},
        {{"create", "new", "/srv/new", "x"}, 0, "created share 'new' (path /srv/new)\n", "",
         kConf + "\n[new]\n\tpath = /srv/new\n\tcomment = x\n"},
    });
}

// The report reads the value back: the share's own line, not the one its
// copy of another share brings first.
TEST(CliEdits, SetReportsTheShareOwnLineOverACopy)
{
    samba::makeShareDirectories();
    const std::string conf = kConf + "[mirror]\n\tcopy = data\n";
    runCases(conf, {
        {{"set", "mirror", "read only", "yes"}, 0, "set read only = yes in share 'mirror'\n", "",
         kConf + "[mirror]\n\tread only = yes\n\tcopy = data\n"},
    });
}

// Needs the library's CLIRemoveKeyValuePair.
TEST(CliEdits, UnsetRemovesTheParameterAndIsDoneWhenItIsAbsent)
{
    samba::makeShareDirectories();
    runCases(kConf, {
        {{"unset", "data", "comment"}, 0, "removed 'comment' from share 'data'\n", "",
         confWith("\tcomment = Data\n", "")},
        {{"unset", "data", "browseable"}, 0, "share 'data' has no parameter 'browseable'; nothing to remove\n", ""},
        {{"unset", "data", ""}, 1, "",
         "velmora: cannot unset '' in share 'data': invalid argument: the key is empty (no text may hold a line "
         "break, the share name must not be empty, and the key must not be empty, hold \"=\" or begin with \"#\", "
         "\";\" or \"[\")\n"},
        {{"unset", "global", "workgroup", "--force"}, 0, "removed 'workgroup' from share 'global'\n", "",
         confWith("   workgroup = WORKGROUP\n", "")},
    });
}

// Samba's view of the file after unset: the parameter is gone under both
// its names, and nothing else changed.
TEST(CliEdits, UnsetAsSambaSeesIt)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    const std::string conf = kConf + "\tdirectory = /srv/new\n\tbrowseable = no\n\n[other]\n\tpath = /srv/data\n";
    testfs::writeSmbConf(conf);
    samba::Testparm before = samba::testparm(testfs::kSmbConf);
    ASSERT_EQ(0, before.exitCode) << before.messages;
    ASSERT_EQ(1u, before.view["data"].count("path"));
    const samba::CommandResult run = runTool({"unset", "data", "path"});
    EXPECT_EQ(0, run.exitCode) << run.err;
    const samba::Testparm after = samba::testparm(testfs::kSmbConf);
    EXPECT_EQ(0, after.exitCode) << after.messages;
    before.view["data"].erase("path");
    before.view["data"]["available"] = "No";  // Samba's own note on a share without a path
    EXPECT_EQ(before.view, after.view);
}

// The diff from before to after of a real edit, as diff -u writes it.
std::string realDiff(const std::string& before, const std::string& after)
{
    testfs::writeFile("/etc/before.conf", before);
    testfs::writeFile("/etc/after.conf", after);
    return samba::runCommand({"diff", "-u", "--label", "a/etc/samba/smb.conf", "--label", "b/etc/samba/smb.conf",
                              "/etc/before.conf", "/etc/after.conf"})
        .out;
}

// Each dry run leaves smb.conf byte for byte and prints the diff that the
// same edit, made for real, then makes. Needs the library's dry runs.
TEST(CliEdits, DryRunsChangeNothingAndShowTheEditThatFollows)
{
    samba::makeShareDirectories();
    const std::vector<std::pair<std::vector<std::string>, std::string>> edits = {
        {{"create", "new", "/srv/new", "New"}, "created share 'new' (path /srv/new)"},
        {{"set", "data", "comment", "Files"}, "set comment = Files in share 'data'"},
        {{"unset", "data", "read only"}, "removed 'read only' from share 'data'"},
        {{"delete", "data"}, "deleted share 'data'"},
        {{"delete", "global", "--force"}, "deleted share 'global'"},
    };
    for (const auto& [args, done] : edits) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        testfs::writeSmbConf(kConf);
        std::vector<std::string> dry = args;
        dry.push_back("--dry-run");
        const samba::CommandResult preview = runTool(dry);
        EXPECT_EQ(0, preview.exitCode) << preview.err;
        EXPECT_EQ(kConf, testfs::readSmbConf());
        const samba::CommandResult real = runTool(args);
        EXPECT_EQ(0, real.exitCode) << real.err;
        EXPECT_EQ(done + "\n", real.out);
        const std::string diff = realDiff(kConf, testfs::readSmbConf().value_or(""));
        ASSERT_FALSE(diff.empty());
        EXPECT_EQ(0u, preview.out.find(diff)) << preview.out;
        const std::string last = "dry run, nothing changed: " + done + "\n";
        EXPECT_EQ(last, clitest::lastLine(preview.out));
    }
}

samba::CommandResult runToFullDisk(const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {"sh", "-c", "exec \"$0\" \"$@\" >/dev/full", VELMORA_TOOL, "shares"};
    argv.insert(argv.end(), args.begin(), args.end());
    return samba::runCommand(argv);
}

// A done edit stands when its report cannot be written: a retrying script
// must not see a failure; a read whose answer is lost fails.
TEST(CliEdits, AReportThatCannotBeWrittenDoesNotUndoTheEdit)
{
    samba::makeShareDirectories();
    testfs::writeSmbConf(kConf);
    const std::string lost = "velmora: warning: the edit was made, but its report could not be written: No space "
                             "left on device\n";
    samba::CommandResult run = runToFullDisk({"create", "w", "/srv/new", "x"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(lost, run.err);
    EXPECT_EQ(kConf + "\n[w]\n\tpath = /srv/new\n\tcomment = x\n", testfs::readSmbConf());
    run = runToFullDisk({"set", "w", "comment", "y", "--json"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(lost, run.err);
    run = runToFullDisk({"list"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ("velmora: cannot write the output: No space left on device\n", run.err);
    run = runToFullDisk({"create", "w", "/srv/new", "x"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ("velmora: cannot create share 'w': a share named 'w' exists already\n", run.err);
}

// A syslog of the test's own: a datagram socket at /dev/log, on a tmpfs
// mounted over /dev inside the sandbox (the host's /dev is not touched),
// with the few devices the tool and the shell need bound into it.
class SyslogCatcher {
public:
    // Fails the calling test when any step fails.
    void open()
    {
        std::string error;
        ASSERT_EQ(0, mkdir("/etc/host-dev", 0700));
        ASSERT_EQ(0, mount("/dev", "/etc/host-dev", nullptr, MS_BIND | MS_REC, nullptr));
        ASSERT_TRUE(sandbox::mountTmpfs("/dev", "size=64k,mode=0755", error)) << error;
        mounted_ = true;
        for (const char* device : {"null", "full", "zero", "urandom"}) {
            const std::string path = std::string("/dev/") + device;
            testfs::writeFile(path, "");
            ASSERT_EQ(0, mount(("/etc/host-dev/" + std::string(device)).c_str(), path.c_str(), nullptr, MS_BIND,
                               nullptr));
        }
        fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "/dev/log");
        ASSERT_EQ(0, bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address));
    }
    ~SyslogCatcher()
    {
        if (fd_ >= 0)
            close(fd_);
        if (mounted_)
            umount2("/dev", MNT_DETACH);
    }

    // The messages received since the last call, as sent.
    std::vector<std::string> take()
    {
        std::vector<std::string> messages;
        char buffer[8192];
        for (;;) {
            const ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n < 0)
                return messages;
            messages.emplace_back(buffer, static_cast<size_t>(n));
        }
    }

private:
    int fd_ = -1;
    bool mounted_ = false;
};

// The tool's own lines (identity "velmora", not the library's "VELMORA"),
// each reduced to its priority and its text.
std::vector<std::string> auditLines(const std::vector<std::string>& messages)
{
    std::vector<std::string> lines;
    for (const std::string& message : messages) {
        const size_t ident = message.find(" velmora[");
        const size_t text = message.find("]: ", ident);
        if (ident != std::string::npos && text != std::string::npos)
            lines.push_back(message.substr(0, message.find('>') + 1) + " " + message.substr(text + 3));
    }
    return lines;
}

// One line at LOG_NOTICE (user facility: <13>) per edit, done or refused,
// whatever mask and identity the library set; none for a dry run.
TEST(CliAudit, EveryEditWritesOneNoticeLine)
{
    samba::makeShareDirectories();
    testfs::writeSmbConf(kConf);
    SyslogCatcher syslog;
    ASSERT_NO_FATAL_FAILURE(syslog.open());
    const struct {
        std::vector<std::string> argv;
        std::string line;  // "" for none
    } cases[] = {
        {{VELMORA_TOOL, "shares", "set", "data", "comment", "Files"},
         "<13> user=\"root\" command=\"shares set\" share=\"data\" key=\"comment\" value=\"Files\" result=done code=0"},
        {{VELMORA_TOOL, "shares", "set", "data", "comment", "Files", "--json"},
         "<13> user=\"root\" command=\"shares set\" share=\"data\" key=\"comment\" value=\"Files\" result=unchanged "
         "code=0"},
        {{"env", "SUDO_USER=alice", VELMORA_TOOL, "shares", "delete", "global"},
         "<13> user=\"root\" sudo_user=\"alice\" command=\"shares delete\" share=\"global\" result=refused code=none"},
        {{VELMORA_TOOL, "shares", "create", "data", "/srv/new", "x"},
         "<13> user=\"root\" command=\"shares create\" share=\"data\" path=\"/srv/new\" comment=\"x\" result=refused "
         "code=-1"},
        {{VELMORA_TOOL, "shares", "set", "data", "comment", "a\"b\nc"},
         "<13> user=\"root\" command=\"shares set\" share=\"data\" key=\"comment\" value=\"a\\\"b\\x0ac\" "
         "result=refused code=-4"},
        {{VELMORA_TOOL, "shares", "set", "data", "comment", "Other", "--dry-run"}, ""},
        {{VELMORA_TOOL, "shares", "list"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argv[c.argv.size() - 1]);
        samba::runCommand(c.argv);
        const std::vector<std::string> lines = auditLines(syslog.take());
        if (c.line.empty()) {
            EXPECT_TRUE(lines.empty()) << lines[0];
        } else {
            ASSERT_EQ(1u, lines.size());
            EXPECT_EQ(c.line, lines[0]);
        }
    }
}

}  // namespace
