// Line-level outcomes of the editing share functions, through dlopen as other
// programs use them: the exact bytes of smb.conf and of its backup after
// every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <optional>

#include "tests/edit/EditSupport.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

// This binary exports these two (ENABLE_EXPORTS, and default visibility
// against the project's hidden preset), so the dlopen'ed library binds its
// syslog calls to them instead of libc's: the test sees every line with its
// priority, whatever the log mask says. <syslog.h> is left out on purpose:
// with _FORTIFY_SOURCE it defines syslog itself.
namespace {
std::vector<std::pair<int, std::string>> logLines;  // the priority without its facility

void record(int priority, const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    logLines.emplace_back(priority & 0x07, text);
}
}  // namespace

extern "C" __attribute__((visibility("default"))) void syslog(int priority, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    record(priority, format, args);
    va_end(args);
}

extern "C" __attribute__((visibility("default"))) void __syslog_chk(int priority, int, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    record(priority, format, args);
    va_end(args);
}

// Every mask the library asks about lets every priority pass.
extern "C" __attribute__((visibility("default"))) int setlogmask(int) { return 0xff; }

namespace {

using edittest::expectUntouched;
using edittest::hideTestparm;
using edittest::sharePaths;

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

// Expects result, smb.conf holding after, and, when the file changed, the
// backup holding before; an unchanged file means no backup was taken.
void expectEdit(int result, int expectedResult, const std::string& before, const std::string& after)
{
    EXPECT_EQ(result, expectedResult);
    if (after == before) {
        expectUntouched(before);
        return;
    }
    EXPECT_EQ(testfs::readSmbConf(), after);
    EXPECT_EQ(testfs::readBackup(), before);
    EXPECT_EQ(edittest::temporaries(), 0);
}

void startWith(const std::string& content)
{
    hideTestparm();
    testfs::removeFile(testfs::kBackup);
    testfs::writeSmbConf(content);
}

TEST(CreateShare, AppendsTheSectionOrRefuses)
{
    const std::string dir = sharePaths().directory;
    const std::string added = "[data]\n\tpath = " + dir + "\n\tcomment = Data\n";
    struct Case {
        const char* what;
        std::string before, name, path, comment;
        int result;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"final line feed", "[global]\n\tworkgroup = W\n", "data", dir, "Data", 0,
         "[global]\n\tworkgroup = W\n\n" + added},
        {"no final line feed", "[global]\n\tworkgroup = W", "data", dir, "Data", 0,
         "[global]\n\tworkgroup = W\n" + added},
        {"no final line feed after a continued line", "[g]\n\tusers = a \\  ", "data", dir, "Data", 0,
         "[g]\n\tusers = a \\  \n\n" + added},
        // Samba goes on while the joined text still ends in a backslash: two
        // of them take two empty lines.
        {"no final line feed after a line ending in two backslashes", "[g]\n\tusers = a\\\\", "data", dir, "Data",
         0, "[g]\n\tusers = a\\\\\n\n\n" + added},
        // The last line alone would take one; joined to the line above it
        // still ends in two.
        {"no final line feed after a last line joined to the one above", "[g]\n\tusers = a\\\\\n\\", "data",
         dir, "Data", 0, "[g]\n\tusers = a\\\\\n\\\n\n\n" + added},
        // After the file's line feed the new text's own is one empty line
        // for Samba to join; 'a\\\\' needs a second.
        {"final line feed after a line still going on", "[g]\n\tusers = a\\\\\n", "data", dir, "Data", 0,
         "[g]\n\tusers = a\\\\\n\n\n" + added},
        {"empty file", "", "data", dir, "Data", 0, "\n" + added},
        {"blanks and CRs kept", "[g]\r\n   x = 1  \r\n", "data", dir, "Data", 0,
         "[g]\r\n   x = 1  \r\n\n" + added},
        {"empty comment", "[g]\n", "data", dir, "", 0,
         "[g]\n\n[data]\n\tpath = " + dir + "\n\tcomment = \n"},
        {"texts written as given", "[g]\n", " d ", dir, " c ", 0,
         "[g]\n\n[ d ]\n\tpath = " + dir + "\n\tcomment =  c \n"},
        // Samba would merge [Data] into [data].
        {"other case exists", "[data]\n", "Data", dir, "x", -1, "[data]\n"},
        // ... and so would it [bücher] into [BÜCHER] (not [ș] into [Ș]), and
        // any two names it cannot read as UTF-8 (Latin-1 here).
        {"other case beyond ASCII exists", "[BÜCHER]\n", "bücher", dir, "x", -1, "[BÜCHER]\n"},
        {"a letter Samba does not lower", "[Ș]\n", "ș", dir, "x", 0, "[Ș]\n\n[ș]\n\tpath = " + dir + "\n\tcomment = x\n"},
        {"another name that is no UTF-8", "[B\xfc" "cher]\n", "\xc4rger", dir, "x", -1, "[B\xfc" "cher]\n"},
        {"exact name exists", "[g]\n[data]\n", "data", dir, "x", -1, "[g]\n[data]\n"},
        {"missing path", "[g]\n", "data", sharePaths().missing, "x", -2, "[g]\n"},
        {"symbolic link", "[g]\n", "data", sharePaths().link, "x", -3, "[g]\n"},
        {"symbolic link with a final slash", "[g]\n", "data", sharePaths().link + "/", "x", -3, "[g]\n"},
        {"regular file", "[g]\n", "f", sharePaths().file, "x", 0,
         "[g]\n\n[f]\n\tpath = " + sharePaths().file + "\n\tcomment = x\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startWith(c.before);
        const int result = lib().createShare(c.name.c_str(), c.path.c_str(), c.comment.c_str());
        expectEdit(result, c.result, c.before, c.after);
    }
}

TEST(ModifyKeyValue, AddsReplacesOrKeepsTheLine)
{
    struct Case {
        const char* what;
        std::string before;
        const char *name, *key, *value;
        int result;
        std::string after;
    };
    const std::string kOld = "[a]\n\tk = old\n";
    const std::string kGuest = "[a]\n\tguest ok = old\n";
    const std::vector<Case> cases = {
        {"absent: before the blank line", "[a]\n\tx = 1\n\n[b]\n\ty = 2\n", "a", "z", "3", 0,
         "[a]\n\tx = 1\n\tz = 3\n\n[b]\n\ty = 2\n"},
        {"absent: before the last of several blanks", "[a]\n\tx = 1\n\n\n[b]\n", "a", "z", "3", 0,
         "[a]\n\tx = 1\n\n\tz = 3\n\n[b]\n"},
        {"absent: last section, before its last line", "[a]\n\tx = 1\n\ty = 2", "a", "z", "3", 0,
         "[a]\n\tx = 1\n\tz = 3\n\ty = 2\n"},
        {"absent: header followed by header", "[a]\n[b]\n\tx = 1\n", "a", "z", "3", 0,
         "[a]\n\tz = 3\n[b]\n\tx = 1\n"},
        {"absent: header last in file", "[b]\n\tx = 1\n[a]", "a", "z", "3", 0,
         "[b]\n\tx = 1\n[a]\n\tz = 3\n"},
        // An empty line takes the continuation of a last line ending in "\".
        {"absent: header last in file, ending in a backslash", "[b]\n[a] \\", "a", "z", "3", 0,
         "[b]\n[a] \\\n\n\tz = 3\n"},
        // Joined to the line above, the last line still ends in two.
        {"absent: header last in file, joined to its last line", "[b]\n[a] x\\\\\n\\", "a", "z", "3", 0,
         "[b]\n[a] x\\\\\n\\\n\n\n\tz = 3\n"},
        // The file's line feed ended what still went on.
        {"absent: header last in file, going on into its line feed", "[b]\n[a] x\\\\\n", "a", "z", "3", 0,
         "[b]\n[a] x\\\\\n\n\n\tz = 3\n"},
        // Samba reads a line ending in a backslash together with the next one.
        {"absent: not inside a continued last line", "[a]\n\tx = 1\n\tusers = a \\\n\t  b \\\n\t  c",
         "a", "z", "3", 0, "[a]\n\tx = 1\n\tz = 3\n\tusers = a \\\n\t  b \\\n\t  c\n"},
        // Samba still reads 'p \\' + '\t' as going on at the end: a line
        // feed there would drop the backslash left in the path.
        {"absent: a last line still going on stays without a line feed", "[a]\n\tpath = /p \\\\\n\t", "a", "z",
         "3", 0, "[a]\n\tz = 3\n\tpath = /p \\\\\n\t"},
        {"absent: CRs kept", "[a]\r\n\tx = 1\r\n\r\n[b]\r\n", "a", "z", "3", 0,
         "[a]\r\n\tx = 1\r\n\tz = 3\n\r\n[b]\r\n"},
        {"absent: into the first section of a share", "[a]\n\tx = 1\n\n[A]\n\ty = 2\n", "a", "z", "3", 0,
         "[a]\n\tx = 1\n\tz = 3\n\n[A]\n\ty = 2\n"},
        {"absent: not after a line continued onto the blank line", "[a]\n\tx = 1 \\\n\n[b]\n", "a", "z", "3", 0,
         "[a]\n\tz = 3\n\tx = 1 \\\n\n[b]\n"},
        // Samba's parameter names ignore case and blanks, and have synonyms.
        {"differs: other case and blanks of the name", "[a]\n\tPath = /x\n\n", "a", "path", "/y", 0,
         "[a]\n\tpath = /y\n\n"},
        {"differs: a synonym becomes the name given", "[a]\n\tdirectory = /d\n\tRead  Only = yes\n", "a",
         "path", "/p", 0, "[a]\n\tpath = /p\n\tRead  Only = yes\n"},
        {"differs: an inverse synonym", "[a]\n\twriteable = yes\n", "a", "read only", "yes", 0,
         "[a]\n\tread only = yes\n"},
        {"same: an inverse synonym", "[a]\n\twriteable = no\n", "a", "readonly", "true", 0,
         "[a]\n\twriteable = no\n"},
        {"differs: a continued line goes whole", "[a]\n\tcomment = x \\\n  y\n\tpath = /p\n", "a",
         "comment", "z", 0, "[a]\n\tcomment = z\n\tpath = /p\n"},
        {"differs: indentation and blanks go", "[a]\n   path   =   /old  \n\tx = 1\n", "a", "path",
         "/new", 0, "[a]\n\tpath = /new\n\tx = 1\n"},
        {"differs: every line with the key", "[a]\n\tk = new\n\tk = old\n", "a", "k", "new", 0,
         "[a]\n\tk = new\n\tk = new\n"},
        {"differs: other sections untouched", "[a]\n\tk = 1\n\n[b]\n\tk = 1\n", "b", "k", "2", 0,
         "[a]\n\tk = 1\n\n[b]\n\tk = 2\n"},
        {"section name ignores case", "[data]\n\tk = 1\n", "DATA", "k", "2", 0, "[data]\n\tk = 2\n"},
        // [Homes] and [homes] are one share for Samba.
        {"Homes before homes", "[Homes]\n\tk = 1\n[homes]\n\tk = 1\n", "homes", "k", "2", 0,
         "[Homes]\n\tk = 2\n[homes]\n\tk = 2\n"},
        {"same: the last line decides", "[a]\n\tk = old\n\tk = new\n", "a", "k", "new", 0,
         "[a]\n\tk = old\n\tk = new\n"},
        {"trimmed key and value", kOld, "a", "  k  ", "\t v w  ", 0, "[a]\n\tk = v w\n"},
        {"false", kGuest, "a", "guest ok", "false", 0, "[a]\n\tguest ok = No\n"},
        {"FALSE", kGuest, "a", "guest ok", "FALSE", 0, "[a]\n\tguest ok = No\n"},
        {"true", kGuest, "a", "guest ok", "true", 0, "[a]\n\tguest ok = Yes\n"},
        {"TRUE", kGuest, "a", "guest ok", "TRUE", 0, "[a]\n\tguest ok = TRUE\n"},
        {"yes", kGuest, "a", "guest ok", "yes", 0, "[a]\n\tguest ok = yes\n"},
        {"not a boolean parameter: false stays", kOld, "a", "comment", "false", 0,
         "[a]\n\tcomment = false\n\tk = old\n"},
        {"stored false, given false", "[a]\n\tguest ok = false\n", "a", "guest ok", "false", 0,
         "[a]\n\tguest ok = false\n"},
        // Samba reads 'No' and 'false' alike: nothing to change.
        {"stored No, given false", "[a]\n   guest ok =  No\n", "a", "guest ok", "false", 0,
         "[a]\n   guest ok =  No\n"},
        {"stored yes, given On", "[a]\n\tguest ok = yes\n", "a", "Guest OK", "On", 0,
         "[a]\n\tguest ok = yes\n"},
        {"no such section", "[a]\n\tk = 1\n", "b", "k", "2", -1, "[a]\n\tk = 1\n"},
        {"no sections at all", "k = 1\n", "b", "k", "2", -1, "k = 1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startWith(c.before);
        expectEdit(lib().modifyKeyValue(c.name, c.key, c.value), c.result, c.before, c.after);
    }
}

TEST(DeleteShare, DropsTheSectionButKeepsItsComments)
{
    const std::string file =
        "# Samba configuration\n"
        "[global]\n"
        "   workgroup = WORK\n"
        "\n"
        "# the home directories\n"
        "[homes]\n"
        "   comment = Home\n"
        "; browseable = no\n"
        "  # indented note\r\n"
        "   read only = no\n"
        "\n"
        "# shares below\n"
        "[public]\n"
        "   path = /srv/public  \r\n"
        "# trailing note";
    struct Case {
        const char* what;
        std::string before;
        const char* name;
        int result;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"first", file, "global", 0,
         "# Samba configuration\n# the home directories\n[homes]\n   comment = Home\n"
         "; browseable = no\n  # indented note\r\n   read only = no\n\n# shares below\n"
         "[public]\n   path = /srv/public  \r\n# trailing note\n"},
        {"middle", file, "homes", 0,
         "# Samba configuration\n[global]\n   workgroup = WORK\n\n# the home directories\n"
         "  # indented note\r\n# shares below\n[public]\n   path = /srv/public  \r\n"
         "# trailing note\n"},
        {"last", file, "public", 0,
         "# Samba configuration\n[global]\n   workgroup = WORK\n\n# the home directories\n"
         "[homes]\n   comment = Home\n; browseable = no\n  # indented note\r\n"
         "   read only = no\n\n# shares below\n# trailing note\n"},
        // Samba merges them: both go.
        {"Homes before homes", "[Homes]\n\tpath = /a\n[x]\n[homes]\n\tpath = /b\n", "homes", 0,
         "[x]\n"},
        {"a parameter continued past the section's end goes with it",
         "[a]\n\tcomment = x \\\n[b]\n[c]\n", "a", 0, "[c]\n"},
        {"only the other case exists", "[data]\n\tpath = /a\n", "Data", -1, "[data]\n\tpath = /a\n"},
        // Without a final line feed, a last line that ends in a backslash, or
        // that Samba still reads as going on, is kept without one.
        {"a last comment ending in a backslash", "[a]\n[b]\n; note \\", "a", 0, "[b]\n; note \\"},
        {"a last line still going on", "[a]\n[b]\n\tpath = /p \\\\\n\t", "a", 0, "[b]\n\tpath = /p \\\\\n\t"},
        // To Samba a control byte is no blank: the line sets a parameter,
        // and kept it would set it in global.
        {"a '#' behind a control byte is no comment", "[data]\n \x10# note = x\n\t# kept\n", "data", 0,
         "\t# kept\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startWith(c.before);
        expectEdit(lib().deleteShare(c.name), c.result, c.before, c.after);
    }
}

TEST(EditLog, KeyAsGivenAndMissingSectionAsAnError)
{
    constexpr int kErr = 3, kInfo = 6;  // LOG_ERR and LOG_INFO
    hideTestparm();
    testfs::writeSmbConf("[data]\n\tk = 1\n");
    logLines.clear();
    EXPECT_EQ(lib().modifyKeyValue("data", "  k  ", "2"), 0);
    EXPECT_EQ(lib().deleteShare("Data"), -1);
    const auto has = [](int priority, const std::string& text) {
        return std::count(logLines.begin(), logLines.end(), std::make_pair(priority, text)) > 0;
    };
    EXPECT_TRUE(has(kInfo, "  k   property do not exists alredy thus adding"));
    EXPECT_TRUE(has(kErr, "Section Data does not exists"));
}

// Text that would add lines of the caller's choosing (a section, or a
// parameter Samba runs as root) is refused before anything is touched.
TEST(EditArguments, InjectionAndNullAreRefused)
{
    const char* dir = sharePaths().directory.c_str();
    const std::vector<std::pair<const char*, std::function<int()>>> cases = {
        {"name with a header", [&] { return lib().createShare("x]\n[evil", dir, "c"); }},
        {"path with a line", [&] { return lib().createShare("x", "/srv\n\tusername map script = /bin/sh", "c"); }},
        {"comment with CR", [&] { return lib().createShare("x", dir, "c\rd"); }},
        {"empty name", [&] { return lib().createShare("", dir, "c"); }},
        {"null name", [&] { return lib().createShare(nullptr, dir, "c"); }},
        {"null path", [&] { return lib().createShare("x", nullptr, "c"); }},
        {"null comment", [&] { return lib().createShare("x", dir, nullptr); }},
        {"key with a line", [&] { return lib().modifyKeyValue("data", "a\nb", "v"); }},
        {"value with a section", [&] { return lib().modifyKeyValue("data", "k", "v\n[evil]"); }},
        {"value ending in LF", [&] { return lib().modifyKeyValue("data", "k", "v\n"); }},
        {"name with CR", [&] { return lib().modifyKeyValue("data\r", "k", "v"); }},
        {"empty key", [&] { return lib().modifyKeyValue("data", "", "v"); }},
        {"blank key", [&] { return lib().modifyKeyValue("data", " \t ", "v"); }},
        {"key with =", [&] { return lib().modifyKeyValue("data", "a=b", "v"); }},
        {"key as comment", [&] { return lib().modifyKeyValue("data", "#k", "v"); }},
        {"key as ; comment", [&] { return lib().modifyKeyValue("data", " ;k", "v"); }},
        {"key as header", [&] { return lib().modifyKeyValue("data", "[x]", "v"); }},
        {"empty section name", [&] { return lib().modifyKeyValue("", "k", "v"); }},
        {"null key", [&] { return lib().modifyKeyValue("data", nullptr, "v"); }},
        {"null value", [&] { return lib().modifyKeyValue("data", "k", nullptr); }},
        {"null section name", [&] { return lib().modifyKeyValue(nullptr, "k", "v"); }},
        {"delete null", [&] { return lib().deleteShare(nullptr); }},
        {"delete empty", [&] { return lib().deleteShare(""); }},
        {"delete with LF", [&] { return lib().deleteShare("data\n"); }},
        // Samba would read these otherwise than they were given.
        {"name with ]", [&] { return lib().createShare("data]x", dir, "c"); }},
        {"name of the global section", [&] { return lib().createShare("GLOBALS", dir, "c"); }},
        {"comment ending in a backslash", [&] { return lib().createShare("x", dir, "c \\ "); }},
        {"path ending in a backslash", [&] { return lib().createShare("x", "/srv\\", "c"); }},
        {"value ending in a backslash", [&] { return lib().modifyKeyValue("data", "comment", "open \\"); }},
        {"name with a run of blanks", [&] { return lib().createShare("a  b", dir, "c"); }},
        {"path with a run of blanks", [&] { return lib().createShare("x", "/srv/a \t b", "c"); }},
        {"value with a run of blanks", [&] { return lib().modifyKeyValue("data", "path", "/srv/a  b"); }},
    };
    const std::string before = "[data]\n\tpath = /srv\n\n[]\n";
    for (const auto& [what, call] : cases) {
        SCOPED_TRACE(what);
        startWith(before);
        EXPECT_EQ(call(), -4);
        expectUntouched(before);
    }
}

}  // namespace
