// Samba's own parser as the last judge of an edit (-5), and dry runs: with
// the real testparm, and without it (hidden in this test's namespace).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <thread>

#include "smbconf/ChildRun.h"
#include "smbconf/ConfRewrite.h"
#include "smbconf/EditRecord.h"
#include "tests/edit/EditSupport.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

template <typename F>
F fn(const char* name)
{
    F f = reinterpret_cast<F>(lib().symbol(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
}

const std::string kConf = "[global]\n\tworkgroup = W\n\n[data]\n\tpath = /srv/data\n";
const std::string kBroken = "[global]\n\tworkgroup = W\n\tguest ok = perhaps\n\n[data]\n\tpath = /srv/data\n";

// The same file with key = value added to [data], as an edit writes it.
std::string with(const std::string& conf, const std::string& line)
{
    return conf.substr(0, conf.rfind("\tpath")) + "\t" + line + "\n" + conf.substr(conf.rfind("\tpath"));
}

// A rewrite through the commit step that adds a line to the last section.
int appendLine(const std::string& line, const std::string& keySet)
{
    const std::vector<std::string> lines = {"[global]", "\tworkgroup = W", "", "[data]", "\tpath = /srv/data"};
    return velmora::RewriteSmbConf(
        lines, [&](int32_t i, const std::string& text, std::string& out) {
            out += text + "\n";
            if (i == 4)
                out += line + "\n";
        },
        keySet);
}

struct HiddenTestparm {
    HiddenTestparm() { hidden = mount("/dev/null", "/usr/bin/testparm", nullptr, MS_BIND, nullptr) == 0; }
    ~HiddenTestparm() { umount2("/usr/bin/testparm", MNT_DETACH); }
    bool hidden = false;
};

TEST(SambaVerdict, RefusesWhatSambaWouldNotLoadOrWouldIgnore)
{
    ASSERT_EQ(access("/usr/bin/testparm", X_OK), 0) << "Samba's tools are needed";
    const auto verdict = fn<const char* (*)()>("CLISambaVerdict");
    struct Case {
        const char* what;
        std::string before;
        std::function<int()> edit;
        int code;
        std::string after;    // smb.conf afterwards
        const char* verdict;  // a piece of testparm's words, or "" for none
    };
    const std::vector<Case> cases = {
        {"a boolean that is not one", kConf, [] { return lib().modifyKeyValue("data", "guest ok", "maybe"); }, -5,
         kConf, "value is not boolean"},
        {"a sound value", kConf, [] { return lib().modifyKeyValue("data", "guest ok", "yes"); }, 0,
         with(kConf, "guest ok = yes"), ""},
        // A file Samba already refuses does not block an edit.
        {"already broken", kBroken, [] { return lib().modifyKeyValue("data", "read only", "yes"); }, 0,
         with(kBroken, "read only = yes"), "not boolean"},
        {"an unknown parameter being set", kConf, [] { return appendLine("bogusparam = 42", "bogusparam"); }, -5,
         kConf, "Ignoring unknown parameter \"bogusparam\""},
        {"an unknown parameter not being set", kConf, [] { return appendLine("bogusparam = 42", ""); }, 0,
         kConf + "bogusparam = 42\n", "Ignoring unknown parameter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf(c.before);
        testfs::removeFile(testfs::kBackup);
        EXPECT_EQ(c.edit(), c.code);
        EXPECT_EQ(testfs::readSmbConf(), c.after);
        EXPECT_EQ(testfs::exists(testfs::kBackup), c.code == 0);
        EXPECT_EQ(edittest::temporaries(), 0);
        // The direct calls keep their record in this binary's copy of it.
        const bool direct = std::string(c.what).find("unknown") != std::string::npos;
        const std::string said = direct ? velmora::ThisThreadEdits().verdict : verdict();
        EXPECT_NE(said.find(c.verdict), std::string::npos) << said;
    }
}

// Without Samba's tools an edit goes on as it always did.
TEST(SambaVerdict, WithoutTestparmTheEditGoesOn)
{
    HiddenTestparm hidden;
    ASSERT_TRUE(hidden.hidden);
    testfs::writeSmbConf(kConf);
    EXPECT_EQ(lib().modifyKeyValue("data", "guest ok", "maybe"), 0);
    EXPECT_EQ(testfs::readSmbConf(), with(kConf, "guest ok = maybe"));
    EXPECT_STREQ(fn<const char* (*)()>("CLISambaVerdict")(), "");
}

TEST(SambaVerdict, DryRunsWriteNothing)
{
    const auto begin = fn<void (*)()>("CLIBeginDryRun");
    const auto end = fn<int (*)(char**)>("CLIEndDryRun");
    struct Case {
        const char* what;
        std::function<int()> edit;
        int code;
        const char* text;  // what it would have written, or nullptr
    };
    const std::string modified = with(kConf, "read only = yes");
    const std::vector<Case> cases = {
        {"modify", [] { return lib().modifyKeyValue("data", "read only", "yes"); }, 0, modified.c_str()},
        {"refused by Samba", [] { return lib().modifyKeyValue("data", "guest ok", "maybe"); }, -5, nullptr},
        {"no such share", [] { return lib().modifyKeyValue("none", "read only", "yes"); }, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf(kConf);
        testfs::removeFile(testfs::kBackup);
        begin();
        EXPECT_EQ(c.edit(), c.code);
        char* text = reinterpret_cast<char*>(1);
        EXPECT_EQ(end(&text), 0);
        if (c.text == nullptr)
            EXPECT_EQ(text, nullptr);
        else
            EXPECT_STREQ(text, c.text);
        std::free(text);
        edittest::expectUntouched(kConf);
        EXPECT_EQ(end(nullptr), -1);  // no dry run any more
    }
    // After the dry run, edits write again.
    EXPECT_EQ(lib().modifyKeyValue("data", "read only", "yes"), 0);
    EXPECT_EQ(testfs::readSmbConf(), modified);
}

// How a CIMOM may have SIGCHLD: as is, ignored, or with a handler and
// SA_NOCLDWAIT. In the last two the kernel reaps children at once, and
// waitpid never sees how testparm ended; the verdict must come all the same.
struct SigchldDisposition {
    const char* what;
    void (*handler)(int);
    int flags;
};

void onSigchld(int) {}

// Sets SIGCHLD for the scope of one case.
struct SigchldAs {
    explicit SigchldAs(const SigchldDisposition& d)
    {
        struct sigaction wanted {};
        wanted.sa_handler = d.handler;
        wanted.sa_flags = d.flags;
        sigaction(SIGCHLD, &wanted, &saved);
    }
    ~SigchldAs() { sigaction(SIGCHLD, &saved, nullptr); }
    struct sigaction saved {};
};

// True once no process has this pid any more (at most a few seconds).
bool goneSoon(pid_t pid)
{
    for (int i = 0; i < 300; ++i) {
        if (kill(pid, 0) != 0 && errno == ESRCH)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(SambaVerdict, ComesWhateverTheHostDoesWithSigchld)
{
    ASSERT_EQ(access("/usr/bin/testparm", X_OK), 0) << "Samba's tools are needed";
    const std::vector<SigchldDisposition> dispositions = {
        {"default", SIG_DFL, 0}, {"ignored", SIG_IGN, 0}, {"SA_NOCLDWAIT", onSigchld, SA_NOCLDWAIT}};
    for (const SigchldDisposition& d : dispositions) {
        SCOPED_TRACE(d.what);
        const SigchldAs as(d);
        // Status and stderr, line by line.
        std::vector<std::string> lines;
        const velmora::ChildOutcome exited = velmora::RunChild(
            "/bin/sh", {"sh", "-c", "echo one >&2; echo two >&2; exit 3"}, -1, 10,
            [&](std::string_view line) { lines.emplace_back(line); });
        EXPECT_TRUE(exited.ran);
        EXPECT_EQ(exited.exitStatus, 3);
        EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));
        // Too slow, or given up by an exception: the program is gone when
        // the call returns (or very soon after, for the exception).
        pid_t slow = -1;
        const auto notePid = [&](std::string_view line) { slow = std::stoi(std::string(line)); };
        EXPECT_FALSE(velmora::RunChild("/bin/sh", {"sh", "-c", "echo $$ >&2; exec sleep 30"}, -1, 1, notePid).ran);
        ASSERT_GT(slow, 0);
        EXPECT_TRUE(kill(slow, 0) != 0 && errno == ESRCH) << "still there: " << slow;
        slow = -1;
        EXPECT_THROW(velmora::RunChild("/bin/sh", {"sh", "-c", "echo $$ >&2; exec sleep 30"}, -1, 10,
                                       [&](std::string_view line) {
                                           notePid(line);
                                           throw std::runtime_error("given up");
                                       }),
                     std::runtime_error);
        ASSERT_GT(slow, 0);
        EXPECT_TRUE(goneSoon(slow)) << "still there: " << slow;
        // Samba's verdict on an edit.
        testfs::writeSmbConf(kConf);
        EXPECT_EQ(lib().modifyKeyValue("data", "guest ok", "maybe"), -5);
        EXPECT_EQ(testfs::readSmbConf(), kConf);
        EXPECT_EQ(lib().modifyKeyValue("data", "guest ok", "yes"), 0);
        EXPECT_EQ(testfs::readSmbConf(), with(kConf, "guest ok = yes"));
    }
}

}  // namespace
