// The parser on its own: what Init makes of a file's bytes.
#include <gtest/gtest.h>

#include "smbconf/SambaConfFile.h"
#include "smbconf/Text.h"
#include "tests/support/Files.h"

namespace {

using Lines = std::vector<std::string>;

struct Expected {
    std::string name;
    int32_t start;
    int32_t end;
    Lines properties;
};

void expectSections(const SambaConfFile& conf, const std::vector<Expected>& expected);

// Samba's reading of a model, in one comparable text.
std::string describe(const velmora::samba::Reading& reading)
{
    std::string text;
    for (const velmora::samba::Share& share : reading.Shares()) {
        text += "[" + std::string(share.name) + "]";
        for (const velmora::samba::SectionRange& section : reading.Sections(share))
            text += " " + std::to_string(section.first) + "-" + std::to_string(section.last);
        for (const velmora::samba::Parameter& parameter : reading.Parameters(share))
            text += " " + std::to_string(parameter.first) + ":" + std::string(parameter.text);
        text += "\n";
    }
    return text;
}

// Every case is parsed twice: by Init, and by InitSections, the readers'
// parse, which keeps no lines but must read the file as Init's model does.
SambaConfFile parse(const std::string& content)
{
    testfs::writeSmbConf(content);
    SambaConfFile conf;
    EXPECT_EQ(conf.Init(), 0);
    SambaConfFile readerOnly;
    EXPECT_EQ(readerOnly.InitSections(), 0);
    EXPECT_TRUE(readerOnly.lines.empty());
    EXPECT_EQ(describe(readerOnly.Samba()), describe(conf.Samba()));
    const SambaConfFile copy = conf;  // a copy reads its own lines
    EXPECT_EQ(describe(copy.Samba()), describe(conf.Samba()));
    return conf;
}

void expectSections(const SambaConfFile& conf, const std::vector<Expected>& expected)
{
    ASSERT_EQ(conf.sections.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("section " + std::to_string(i));
        EXPECT_EQ(conf.sections[i].name, expected[i].name);
        EXPECT_EQ(conf.sections[i].startLine, expected[i].start);
        EXPECT_EQ(conf.sections[i].endLine, expected[i].end);
        EXPECT_EQ(conf.sections[i].properties, expected[i].properties);
    }
}

const Lines kElevenLines = {
    "# Samba configuration", "[global]", "   workgroup = WORK", "", "[homes]",
    "   comment = Home Directories", "   browseable = no", "; read only = no", "# shares below",
    "  [public]  ", "   path = /srv/public"};

std::string joined(const Lines& lines, const std::string& eol, bool finalEol)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += lines[i] + (i + 1 < lines.size() || finalEol ? eol : "");
    return text;
}

TEST(Parser, ShapesOfFiles)
{
    struct Case {
        const char* what;
        std::string content;
        int32_t lineCount;
        std::vector<Expected> sections;
    };
    const std::vector<Expected> eleven = {
        {"global", 1, 3, {"   workgroup = WORK"}},
        {"homes", 4, 8, {"   comment = Home Directories", "   browseable = no", "; read only = no"}},
        {"public", 9, 10, {"   path = /srv/public"}}};
    const std::vector<Case> cases = {
        {"eleven lines", joined(kElevenLines, "\n", true), 11, eleven},
        {"eleven lines without the final line feed", joined(kElevenLines, "\n", false), 11, eleven},
        {"empty file", "", 0, {}},
        {"one line feed", "\n", 1, {}},
        {"no header at all", "workgroup = X\n# c\n", 2, {}},
        {"parameters before the first header stay out", "a = 1\n[s]\nb = 2\n", 3, {{"s", 1, 2, {"b = 2"}}}},
        {"consecutive headers", "[a]\n[b]\nx = 1", 3, {{"a", 0, 0, {}}, {"b", 1, 2, {"x = 1"}}}},
        {"comment above a header belongs to the range before", "[a]\nx = 1\n\n# about b\n[b]\n", 5,
         {{"a", 0, 3, {"x = 1"}}, {"b", 4, 4, {}}}},
        {"';' lines and inner '#' are parameters", "[a]\n; x = 1\ny = 2 # no comment\n  # c\n", 4,
         {{"a", 0, 3, {"; x = 1", "y = 2 # no comment"}}}},
        {"same name twice", "[d]\n[d]\n", 2, {{"d", 0, 0, {}}, {"d", 1, 1, {}}}},
        {"last line without line feed is a property", "[a]\n  z = 9", 2, {{"a", 0, 1, {"  z = 9"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SambaConfFile conf = parse(c.content);
        EXPECT_EQ(conf.lineCount, c.lineCount);
        EXPECT_EQ(static_cast<int32_t>(conf.lines.size()), c.lineCount);
        const bool finalEol = !c.content.empty() && c.content.back() == '\n';
        EXPECT_EQ(joined(conf.lines, "\n", finalEol), c.content);  // every line kept as it was
        expectSections(conf, c.sections);
    }
}

TEST(Parser, HeaderNames)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[ data ]", " data "}, {"   [data]   ", "data"}, {"[data] ; x", "data] ; "},
        {"[]", ""}, {"[", ""}, {"[Homes]", "Homes"}, {"[print$]", "print$"},
    };
    for (const auto& [header, name] : cases) {
        SCOPED_TRACE(header);
        const SambaConfFile conf = parse(header + "\n");
        ASSERT_EQ(conf.sections.size(), 1u);
        EXPECT_EQ(conf.sections[0].name, name);
    }
}

// What the mapping and lookup tests (tests/provider, tests/shares) do not
// reach: trim's control characters and high bytes, and a line without "=".
TEST(Text, TrimAndSplit)
{
    std::string text = "  a b  ";
    EXPECT_EQ(trim(text), "a b");
    EXPECT_EQ(text, "a b");
    for (std::string blank : {std::string(""), std::string(" \t\r\n\v\f\x01 ")}) {
        EXPECT_EQ(trim(blank), "");
        EXPECT_EQ(blank, "");
    }
    std::string keepsHighBytes = "\xc3\xa9t\xc3\xa9";
    EXPECT_EQ(trim(keepsHighBytes), "\xc3\xa9t\xc3\xa9");
    const std::vector<std::pair<std::string, Lines>> splits = {{"; path = /srv", {"; path", "/srv"}},
                                                               {"; no equals sign here", {}}};
    for (const auto& [line, parts] : splits) {
        std::string original = line;
        EXPECT_EQ(SplitProperty(original), parts) << line;
        EXPECT_EQ(original, line);
    }
}

}  // namespace
