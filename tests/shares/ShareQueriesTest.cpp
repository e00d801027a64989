// The exported read-side share functions, through dlopen as other programs
// use them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

using Lines = std::vector<std::string>;

struct Recorder {
    Lines names;
    int failAt = -1;     // throw when this many names were recorded
    int returnValue = 0;
};

int recordName(const char* name, void* context)
{
    auto* recorder = static_cast<Recorder*>(context);
    if (recorder == nullptr)
        return 0;
    if (static_cast<int>(recorder->names.size()) == recorder->failAt)
        throw std::runtime_error("stop");
    recorder->names.push_back(name);
    return recorder->returnValue;
}

// One name per share as Samba sees it: sections named alike (ignoring case)
// are one share, named by its first header; Samba's global section under
// any of its names is none.
TEST(GetShares, ListsEveryShareButGlobalInOrderOfFirstHeader)
{
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"[global]\n[data]\n[printers]\n", {"data", "printers"}},
        {"[data]\n[Global]\n[ global ]\n[GLOBAL]\n[globals]\n[GlobalS]\n", {"data", " global "}},
        {"[data]\n[data]\n[global]\n[global]\n", {"data"}},
        {"[Data]\n[b]\n[DATA]\n[data]\n", {"Data", "b"}},
        {"[data] ; the team's\n[x]y]\n[ sp ace ]\n", {"data", "x", " sp ace "}},
        {"[a]\ncomment = continued \\\n[not a header]\n[b]\n", {"a", "b"}},
        {";[commented]\n#[too]\n[real]\n", {"real"}},
        {"[global]\n", {}},
        {"", {}},
        {"workgroup = x\n", {}},
        {"[homes]\n[print$]\n[]\n", {"homes", "print$", ""}},
    };
    for (const auto& [content, names] : cases) {
        SCOPED_TRACE(content);
        testfs::writeSmbConf(content);
        Recorder recorder;
        EXPECT_EQ(VelmoraLibrary::get().getShares(recordName, &recorder), 0);
        EXPECT_EQ(recorder.names, names);
    }
}

TEST(GetShares, HandlerResultsAreIgnoredAndExceptionsPassThrough)
{
    testfs::writeSmbConf("[a]\n[b]\n[c]\n");
    Recorder nonZero;
    nonZero.returnValue = 7;
    EXPECT_EQ(VelmoraLibrary::get().getShares(recordName, &nonZero), 0);
    EXPECT_EQ(nonZero.names, (Lines{"a", "b", "c"}));

    Recorder throwing;
    throwing.failAt = 1;
    EXPECT_THROW(VelmoraLibrary::get().getShares(recordName, &throwing), std::runtime_error);
    EXPECT_EQ(throwing.names, Lines{"a"});

    // A null context reaches the handler as null.
    EXPECT_EQ(VelmoraLibrary::get().getShares(recordName, nullptr), 0);
}

struct InfoCall {
    int calls = 0;
    std::string name;
    Lines lines;
};

int recordInfo(const char* name, std::vector<std::string> lines, void* context)
{
    auto* call = static_cast<InfoCall*>(context);
    ++call->calls;
    call->name = name;
    call->lines = std::move(lines);
    return 0;
}

// The lines of every section of the share, as Samba reads them: comments
// (';' too) and lines without "=" left out, continued lines joined.
TEST(GetShareInfo, HandsOverTheLinesSambaReadsAcrossTheShare)
{
    testfs::writeSmbConf(
        "[global]\n workgroup = W\n[DATA]\n\tpath = /upper\n; read only = no\nno equals\n[data]\n"
        "\tpath = /srv/data\n\tcomment = Data\r\n# note\n\tvalid users = a, \\\n   b\n\n"
        // A line joined onto a lone "\\" is read on, though it starts as a
        // comment would: Samba sets "# x".
        "\\\n# x = y\n[empty]\n"
        // What a copy brings comes first, the share's own lines after.
        "[copier]\n\tcomment = mine\n\tcopy = DATA\n");
    const Lines data = {"\tpath = /upper", "\tpath = /srv/data", "\tcomment = Data\r", "\tvalid users = a, b",
                        "# x = y"};
    Lines copier = data;
    copier.insert(copier.end(), {"\tcomment = mine", "\tcopy = DATA"});
    const std::vector<std::tuple<std::string, Lines>> cases = {
        {"data", data},
        {"Data", data},
        {"global", {" workgroup = W"}},
        {"empty", {}},
        {"copier", copier},
        {"missing", {}},
    };
    for (const auto& [name, lines] : cases) {
        SCOPED_TRACE(name);
        InfoCall call;
        EXPECT_EQ(VelmoraLibrary::get().getShareInfo(recordInfo, name.c_str(), &call), 0);
        EXPECT_EQ(call.calls, 1);
        EXPECT_EQ(call.name, name);  // the caller's text, not the section's
        EXPECT_EQ(call.lines, lines);
    }
}

// The path Samba reads: the last line that sets it, under any spelling of
// the name or its synonym 'directory'.
TEST(SharePathName, ResolvesThePathSambaReads)
{
    struct Case {
        const char* what;
        std::string section;
        int result;
        const char* path;
    };
    const std::vector<Case> cases = {
        {"blanks around", "  path =   /srv/data  \n", 0, "/srv/data"},
        {"no blanks", "path=/srv/x\n", 0, "/srv/x"},
        {"empty value", "path =\n", 0, ""},
        {"comment mentioning path comes first", "comment = backup path for X\npath = /srv/b\n", 0, "/srv/b"},
        {"';' commented path line is not the path", "; path = /old\npath = /new\n", 0, "/new"},
        {"only a commented path line", ";path = /old\n", -1, nullptr},
        {"other case of the key", "Path = /x\nPATH = /y\n", 0, "/y"},
        {"last of two path lines", "path = /one\npath = /two\n", 0, "/two"},
        {"the synonym directory", "directory = /d\n", 0, "/d"},
        {"a later section of the share", "path = /one\n[DATA]\npath = /later\n", 0, "/later"},
        {"continued", "path = /srv/a\\\n  b\n", 0, "/srv/a b"},
        {"value holding '='", "path = /a=b\n", 0, "/a=b"},
        {"no parameter lines", "", -1, nullptr},
        {"carriage return trimmed", "path = /cr\r\n", 0, "/cr"},
        {"copied from a share above", "[src]\npath = /src\n[DATA]\ncopy = SRC\n", 0, "/src"},
        {"its own line wins over a copy", "[src]\npath = /src\n[DATA]\npath = /own\ncopy = src\n", 0, "/own"},
        {"no copy of a share below, or of itself", "copy = later\ncopy = data\n[later]\npath = /l\n", -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf("[global]\npath = /global\n[Data]\n" + c.section);
        char* out = nullptr;
        ASSERT_EQ(VelmoraLibrary::get().sharePathName("data", &out), c.result);
        if (c.path == nullptr) {
            EXPECT_EQ(out, nullptr);
            continue;
        }
        ASSERT_NE(out, nullptr);
        EXPECT_STREQ(out, c.path);
        std::free(out);
    }
}

TEST(SharePathName, FailuresLeaveOutAlone)
{
    testfs::writeSmbConf("[data]\npath = /srv/data\n");
    char sentinel = 0;
    char* out = &sentinel;
    EXPECT_EQ(VelmoraLibrary::get().sharePathName("data", nullptr), -1);
    EXPECT_EQ(VelmoraLibrary::get().sharePathName("nothing", &out), -1);
    EXPECT_EQ(out, &sentinel);
}

}  // namespace
