// Velmora reads and edits smb.conf as Samba does: for each rule of Samba's
// dialect, a small file whose shares and properties the provider must report
// as testparm reads them, and edits after which testparm must see exactly the
// value asked for and nothing else changed.
#include <gtest/gtest.h>

#include <locale.h>
#include <strings.h>
#include <wctype.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "smbconf/SambaDialect.h"
#include "smbconf/SambaParameters.h"
#include "tests/samba/Command.h"
#include "tests/samba/SambaFixtures.h"
#include "tests/samba/SambaTools.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

// A share's four properties as the provider reports them ("-" when unset).
struct Reported {
    std::string share, comment, path, readOnly, inheritAcls;
};

std::string textOf(const vhost::Instance& instance, const char* property)
{
    const vhost::Value* value = instance.property(property);
    if (value == nullptr)
        return "-";
    if (value->type == CMPI_boolean)
        return value->boolean ? "true" : "false";
    return value->text;
}

// Samba's spelling of a reported boolean.
std::string sambaBoolean(const std::string& reported)
{
    return reported == "true" ? "Yes" : "No";
}

struct ReadingCase {
    const char* rule;
    std::string file;
    std::vector<Reported> shares;
};

const std::vector<ReadingCase> kReadingCases = {
    {"continued lines", "[a]\n\tpath = /srv/\\\na\n\tcomment = two \\\n   words\n",
     {{"a", "two words", "/srv/a", "-", "-"}}},
    {"runs of blanks read as one", "[a  b]\n\tpath = /srv/a   b\n\tcomment = x \t\ty\n",
     {{"a b", "x y", "/srv/a b", "-", "-"}}},
    {"a joined line that still ends in a backslash goes on",
     "[a]\n\tpath = /srv/a\n\tcomment = x\\\\\n\n[b]\n\tpath = /srv/b\n", {{"a", "x[b]", "/srv/b", "-", "-"}}},
    {"a continued comment swallows the next line", "[a]\n\tcomment = x \\\n\tpath = /srv/a\n",
     {{"a", "x path = /srv/a", "", "-", "-"}}},
    {"';' and '#' comments, a '#' comment never continues", "[a]\n; path = /no\n# comment = \\\n\tpath = /srv/a\n",
     {{"a", "-", "/srv/a", "-", "-"}}},
    {"names ignore case and blanks", "[a]\n\tPATH = /srv/a\n\tRead  Only = no\n\tinheritacls = yes\n",
     {{"a", "-", "/srv/a", "false", "true"}}},
    {"synonyms, inverted ones", "[a]\n\tdirectory = /srv/a\n\twriteable = yes\n[b]\n\tpath = /srv/b\n\twrite ok = no\n",
     {{"a", "-", "/srv/a", "false", "-"}, {"b", "-", "/srv/b", "true", "-"}}},
    {"booleans in any case", "[a]\n\tpath = /srv/a\n\tread only = TRUE\n\tinherit acls = off\n",
     {{"a", "-", "/srv/a", "true", "false"}}},
    {"the last setting wins", "[a]\n\tpath = /srv/x\n\tpath = /srv/a\n\tread only = yes\n\twritable = yes\n",
     {{"a", "-", "/srv/a", "false", "-"}}},
    {"section names as Samba cuts them", "[a] ; team\n\tpath = /srv/a\n[b]x]\n\tpath = /srv/b\n",
     {{"a", "-", "/srv/a", "-", "-"}, {"b", "-", "/srv/b", "-", "-"}}},
    {"sections alike are one share, named by the first",
     "[Data]\n\tpath = /srv/a\n\tcomment = first\n[other]\n\tpath = /srv/b\n[DATA]\n\tpath = /srv/c\n",
     {{"Data", "first", "/srv/c", "-", "-"}, {"other", "-", "/srv/b", "-", "-"}}},
    {"case beyond ASCII as Samba has it", "[Bücher]\n\tpath = /srv/a\n[Ș]\n\tpath = /srv/s\n[BÜCHER]\n\tcomment = b\n[ș]\n\tpath = /srv/t\n",
     {{"Bücher", "b", "/srv/a", "-", "-"}, {"Ș", "-", "/srv/s", "-", "-"}, {"ș", "-", "/srv/t", "-", "-"}}},
    // A surrogate converts, unless lowering changed something after it.
    {"names Samba cannot convert from UTF-8 are all one section",
     "[B\xfc" "cher]\n\tpath = /srv/a\n[\xc4rger]\n\tcomment = b\n[x\xed\xa0\x80" "A]\n\tpath = /srv/s\n[x\xed\xa0\x80" "a]\n\tpath = /srv/t\n",
     {{"B\xfc" "cher", "b", "/srv/s", "-", "-"}, {"x\xed\xa0\x80" "a", "-", "/srv/t", "-", "-"}}},
    {"the global section under all its names", "[GLOBALS]\n\tworkgroup = W\n[a]\n\tpath = /srv/a\n[Global]\n\tcomment = g\n",
     {{"a", "-", "/srv/a", "-", "-"}}},
    {"a copy brings what the share's own lines leave unset, as the source stood at the copy line",
     "[a]\n\tpath = /srv/a\n\tcomment = A\n\tread only = no\n[b]\n\tpath = /srv/b\n\tcopy =  A \n\tinherit acls = yes\n"
     "[c]\n\tcopy = b\n\tcomment = C\n[a]\n\tinherit acls = no\n",
     {{"a", "A", "/srv/a", "false", "false"}, {"b", "A", "/srv/b", "false", "true"},
      {"c", "C", "/srv/b", "false", "true"}}},
    {"the last copy wins, with what its source leaves unset",
     "[a]\n\tpath = /srv/a\n\tcomment = A\n[z]\n\tpath = /srv/z\n[b]\n\tcopy = a\n\tcopy = z\n",
     {{"a", "A", "/srv/a", "-", "-"}, {"z", "-", "/srv/z", "-", "-"}, {"b", "-", "/srv/z", "-", "-"}}},
};

TEST(SambaDialect, ProviderReportsWhatTestparmReads)
{
    SKIP_WITHOUT_SAMBA();
    for (const ReadingCase& c : kReadingCases) {
        SCOPED_TRACE(c.rule);
        testfs::writeSmbConf(c.file);
        const samba::Testparm samba = samba::testparm(testfs::kSmbConf);
        ASSERT_EQ(0, samba.exitCode) << samba.messages;
        std::vector<std::string> sambaShares;
        for (const auto& [section, parameters] : samba.view)
            if (section != "global")
                sambaShares.push_back(section);
        std::vector<Reported> reported;
        std::vector<std::string> providerShares;
        for (const vhost::Instance& instance : samba::providerInstances()) {
            reported.push_back({textOf(instance, "ElementName"), textOf(instance, "Comment"),
                                textOf(instance, "PathName"), textOf(instance, "ReadOnly"),
                                textOf(instance, "InheritACLs")});
            providerShares.push_back(reported.back().share);
        }
        std::sort(providerShares.begin(), providerShares.end());
        EXPECT_EQ(sambaShares, providerShares);
        ASSERT_EQ(reported.size(), c.shares.size());
        for (size_t i = 0; i < reported.size(); ++i) {
            const Reported& want = c.shares[i];
            const Reported& got = reported[i];
            EXPECT_EQ(got.share, want.share);
            const auto check = [&](const std::string& value, const std::string& expected, const char* parameter,
                                   bool boolean) {
                EXPECT_EQ(value, expected) << want.share << " " << parameter;
                if (expected != "-") {
                    EXPECT_EQ(samba::testparmParameter(testfs::kSmbConf, want.share, parameter),
                              boolean ? sambaBoolean(expected) : expected)
                        << want.share << " " << parameter;
                }
            };
            check(got.comment, want.comment, "comment", false);
            check(got.path, want.path, "path", false);
            check(got.readOnly, want.readOnly, "read only", true);
            check(got.inheritAcls, want.inheritAcls, "inherit acls", true);
        }
    }
}

struct EditCase {
    const char* what;
    std::string file;
    enum Kind { Set, Unset, Delete } kind;
    std::string share, key, value;
    std::string sambaKey;                   // the parameter as testparm prints it
    std::optional<std::string> sambaValue;  // nullopt: gone from testparm's view (unset or default)
};

const std::vector<EditCase> kEditCases = {
    {"a synonym is replaced", "[a]\n\tdirectory = /srv/x\n\tcomment = c\n", EditCase::Set, "a", "path", "/srv/a",
     "path", "/srv/a"},
    {"other spellings of the name", "[a]\n\tpath = /srv/a\n\tRead Only = no\n\treadonly = no\n", EditCase::Set, "a",
     "read only", "yes", "read only", std::nullopt},
    {"an inverted synonym", "[a]\n\tpath = /srv/a\n\twriteable = yes\n", EditCase::Set, "a", "read only", "yes",
     "read only", std::nullopt},
    {"every section of the share", "[a]\n\tpath = /srv/x\n[b]\n\tpath = /srv/b\n[A]\n\tpath = /srv/y\n",
     EditCase::Set, "a", "path", "/srv/a", "path", "/srv/a"},
    {"a continued value goes whole", "[a]\n\tpath = /srv/a\n\tvalid users = x \\\n   y\n\tcomment = c\n",
     EditCase::Set, "a", "valid users", "z", "valid users", "z"},
    {"added after a line continued onto the blank line", "[a]\n\tpath = /srv/a\n\tcomment = c \\\n\n[b]\n\tpath = /srv/b\n",
     EditCase::Set, "a", "guest ok", "yes", "guest ok", "Yes"},
    {"unset under every name", "[a]\n\tpath = /srv/a\n\twritable = yes\n[A]\n\tread only = no\n", EditCase::Unset, "a",
     "read only", "", "read only", std::nullopt},
    {"unset a continued value", "[a]\n\tpath = /srv/a\n\tcomment = x \\\n  y\n\tguest ok = yes\n", EditCase::Unset, "a",
     "comment", "", "comment", std::nullopt},
    {"a copied value: the share's own line wins", "[a]\n\tpath = /srv/a\n\tread only = no\n[b]\n\tcopy = a\n\tpath = /srv/b\n",
     EditCase::Set, "b", "read only", "yes", "read only", std::nullopt},
    {"the value a copy brings already", "[a]\n\tpath = /srv/a\n\tread only = no\n[b]\n\tcopy = a\n\tpath = /srv/b\n",
     EditCase::Set, "b", "writeable", "yes", "read only", "No"},
    {"delete every section of the share", "[a]\n\tpath = /srv/a\n[b]\n\tpath = /srv/b\n[A]\n\tcomment = c \\\n[x]\n",
     EditCase::Delete, "a", "", "", "", std::nullopt},
};

int apply(const EditCase& c)
{
    const VelmoraLibrary& lib = VelmoraLibrary::get();
    if (c.kind == EditCase::Set)
        return lib.modifyKeyValue(c.share.c_str(), c.key.c_str(), c.value.c_str());
    if (c.kind == EditCase::Unset)
        return lib.removeKeyValue(c.share.c_str(), c.key.c_str());
    return lib.deleteShare(c.share.c_str());
}

// The share as testparm names it: the first section of those alike.
std::string sambaName(const samba::SambaView& view, const std::string& share)
{
    for (const auto& [section, parameters] : view)
        if (strcasecmp(section.c_str(), share.c_str()) == 0)
            return section;
    return share;
}

TEST(SambaDialect, AfterAnEditTestparmSeesTheValueAskedForAndNothingElseChanged)
{
    SKIP_WITHOUT_SAMBA();
    for (const EditCase& c : kEditCases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf(c.file);
        const samba::Testparm before = samba::testparm(testfs::kSmbConf);
        ASSERT_EQ(0, before.exitCode) << before.messages;
        ASSERT_EQ(0, apply(c));
        const samba::Testparm after = samba::testparm(testfs::kSmbConf);
        const std::string file = testfs::readSmbConf().value_or("(no file)");
        ASSERT_EQ(0, after.exitCode) << after.messages << "\nin the file:\n" << file;
        samba::SambaView expected = before.view;
        const std::string name = sambaName(before.view, c.share);
        if (c.kind == EditCase::Delete)
            expected.erase(name);
        else if (c.sambaValue)
            expected[name][c.sambaKey] = *c.sambaValue;
        else
            expected[name].erase(c.sambaKey);
        EXPECT_EQ(expected, after.view) << "in the file:\n" << file;
    }
}

// The names and booleans Velmora knows are those of the Samba installed
// (testparm lists each parameter as 'name=TYPE,FLAGS (synonym of other)').
TEST(SambaDialect, ParameterTablesMatchTheInstalledSamba)
{
    SKIP_WITHOUT_SAMBA();
    const samba::CommandResult listed = samba::runCommand({"testparm", "--show-all-parameters"});
    ASSERT_EQ(0, listed.exitCode);
    size_t synonyms = 0;
    std::istringstream lines(listed.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '[' || eq == std::string::npos)
            continue;
        SCOPED_TRACE(line + " (run scripts/samba-parameters)");
        const velmora::samba::ParameterId id = velmora::samba::Identify(line.substr(0, eq));
        const size_t of = line.find("synonym of ");
        if (of != std::string::npos) {
            ++synonyms;
            const std::string target = line.substr(of + 11, line.size() - of - 12);
            EXPECT_EQ(id.name, velmora::samba::Identify(target).name);
            EXPECT_EQ(id.inverted, line.find("(inverse synonym") != std::string::npos);
        } else {
            const bool boolean = line.compare(eq + 1, 7, "P_BOOL,") == 0 || line.compare(eq + 1, 10, "P_BOOLREV,") == 0;
            EXPECT_EQ(velmora::samba::IsBoolean(id), boolean);
        }
    }
    EXPECT_EQ(synonyms, velmora::samba::kSynonymCount);
}

std::string utf8Of(uint32_t code)
{
    std::string out;
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

// The letters Velmora lowers in section names are those the Samba installed
// lowers: of every letter with a lower case in Unicode (as the C library
// knows it), testparm must merge a section named with it into one named with
// its lower case exactly when the table holds the pair.
TEST(SambaDialect, CaseTableMatchesTheInstalledSamba)
{
    SKIP_WITHOUT_SAMBA();
    const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    ASSERT_NE(unicode, static_cast<locale_t>(nullptr));
    std::vector<std::pair<uint32_t, uint32_t>> candidates;
    std::string file;
    for (uint32_t code = 0x80; code < 0x10000; ++code) {
        const auto lower = static_cast<uint32_t>(towlower_l(static_cast<wint_t>(code), unicode));
        if ((code >= 0xD800 && code <= 0xDFFF) || lower == code)
            continue;
        candidates.push_back({code, lower});
        const std::string prefix = "[p" + std::to_string(code) + "-";
        file += prefix + utf8Of(code) + "]\n\tpath = /p\n" + prefix + utf8Of(lower) + "]\n\tcomment = c\n";
    }
    freelocale(unicode);
    testfs::writeSmbConf(file);
    const samba::Testparm samba = samba::testparm(testfs::kSmbConf);
    ASSERT_EQ(0, samba.exitCode) << samba.messages;
    std::vector<std::pair<uint32_t, uint32_t>> merged;
    for (const auto& [code, lower] : candidates) {
        const auto section = samba.view.find("p" + std::to_string(code) + "-" + utf8Of(code));
        if (section != samba.view.end() && section->second.count("comment") != 0)
            merged.push_back({code, lower});
    }
    std::vector<std::pair<uint32_t, uint32_t>> table;
    for (size_t i = 0; i < velmora::samba::kLowerCaseCount; ++i)
        table.push_back({velmora::samba::kLowerCase[i].upper, velmora::samba::kLowerCase[i].lower});
    EXPECT_EQ(merged, table) << "run scripts/samba-case";
}

}  // namespace
