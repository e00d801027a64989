// Full share instances: the mapping of parameter lines to properties, and
// getInstance's lookups, through the real binary interface.
#include "tests/provider/ProviderFixture.h"

namespace {

using vhost::CallResult;
using vhost::Value;

struct MappingCase {
    const char* what;
    std::string body;
    Properties mapped;  // after InstanceID, FileSharingProtocol, ElementName
};

// Properties come in the order the class declares them; each carries the
// value Samba reads for the share.
const std::vector<MappingCase> kMappingCases = {
    {"four mapped lines",
     "\tpath = /srv/data\n\tcomment = Team data\n\tread only = Yes\n\tinherit acls = no\n",
     {{"Comment", "\"Team data\""}, {"PathName", "\"/srv/data\""}, {"ReadOnly", "true"},
      {"InheritACLs", "false"}}},
    {"Samba's booleans", "read only = true\ninherit acls = 1\n",
     {{"PathName", "\"\""}, {"ReadOnly", "true"}, {"InheritACLs", "true"}}},
    {"more of Samba's booleans", "read only = OFF\ninherit acls = On\n",
     {{"PathName", "\"\""}, {"ReadOnly", "false"}, {"InheritACLs", "true"}}},
    {"not a boolean: unset", "read only =\ninherit acls = maybe\n", {{"PathName", "\"\""}}},
    {"not a boolean: the last valid value stays", "read only = no\nread only = maybe\n",
     {{"PathName", "\"\""}, {"ReadOnly", "false"}}},
    {"no blanks around =", "path=/srv/x\n", {{"PathName", "\"/srv/x\""}}},
    {"empty key", "= /srv/x\n", {{"PathName", "\"\""}}},
    {"names ignore case and blanks", "Path = /srv/x\nread  only = yes\nREADONLY = no\n",
     {{"PathName", "\"/srv/x\""}, {"ReadOnly", "false"}}},
    {"synonyms, one inverted", "directory = /srv/d\nwriteable = yes\n",
     {{"PathName", "\"/srv/d\""}, {"ReadOnly", "false"}}},
    {"an inverted synonym, then the parameter", "write ok = no\nread only = no\n",
     {{"PathName", "\"\""}, {"ReadOnly", "false"}}},
    {"continued lines joined", "comment = two \\\n   lines\npath = /srv/\\\nx\n",
     {{"Comment", "\"two lines\""}, {"PathName", "\"/srv/x\""}}},
    {"a later section of the share wins", "path = /first\n[DATA]\npath = /second\ncomment = c\n",
     {{"Comment", "\"c\""}, {"PathName", "\"/second\""}}},
    {"two path lines: the last wins", "path = /one\npath = /two\n", {{"PathName", "\"/two\""}}},
    {"split at the first =", "comment = a = b\n", {{"Comment", "\"a = b\""}, {"PathName", "\"\""}}},
    {"';' and '#' lines are comments", "; path = /old\n# comment = old\n", {{"PathName", "\"\""}}},
    {"empty path counts as a path line", "path =\n", {{"PathName", "\"\""}}},
    {"carriage returns and a ';' line", "path = /cr\r\n; comment = old\n", {{"PathName", "\"/cr\""}}},
};

Properties withIdentity(const std::string& name, const Properties& mapped)
{
    Properties all = {{"InstanceID", "\"Samba:" + name + "\""},
                      {"FileSharingProtocol", "3"},
                      {"ElementName", "\"" + name + "\""}};
    all.insert(all.end(), mapped.begin(), mapped.end());
    return all;
}

// The enumeration builds instances from its own parse; getInstance looks
// the share up afresh. Both must give the same properties, in the same order.
TEST_F(ProviderTest, ParameterLinesMapToPropertiesInBothOperations)
{
    for (const MappingCase& c : kMappingCases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf("[global]\n\tpath = /global\n[data]\n" + c.body);
        const Properties expected = withIdentity("data", c.mapped);

        const CallResult all = host->enumInstances(classPath());
        ASSERT_EQ(all.kinds(), "instance,done");
        EXPECT_EQ(literals(all.instances()[0]), expected);

        const CallResult one = host->getInstance(sharePath("Samba:data"));
        ASSERT_EQ(one.kinds(), "instance,done");
        EXPECT_EQ(literals(one.instances()[0]), expected);
    }
}

TEST_F(ProviderTest, GetInstanceLookups)
{
    testfs::writeSmbConf(
        "[global]\n\tworkgroup = W\n\tcomment = G\n[DATA]\n\tpath = /upper\n[data]\n\tpath = /lower\n"
        "[only]\n\tpath = /only\n");
    struct Case {
        const char* id;
        CMPIrc rc;
        std::optional<std::string> message;
        std::string elementName;
        std::string pathName;
    };
    const std::vector<Case> cases = {
        {"Samba:global", CMPI_RC_OK, std::nullopt, "global", ""},
        {"XXXXX:only", CMPI_RC_OK, std::nullopt, "only", "/only"},
        // Exact existence check; the parameters of the whole share, as Samba
        // merges [DATA] and [data].
        {"Samba:data", CMPI_RC_OK, std::nullopt, "data", "/lower"},
        {"Samba:Only", CMPI_RC_ERR_FAILED, "Samba share does not exist ", "", ""},
        {"Samba:none", CMPI_RC_ERR_FAILED, "Samba share does not exist ", "", ""},
        {"Samba:", CMPI_RC_ERR_FAILED, "Samba share does not exist ", "", ""},
        {"Samb", CMPI_RC_ERR_INVALID_PARAMETER, "Invalid InstanceID \"Samb\": shorter than \"Samba:\"", "", ""},
        {"", CMPI_RC_ERR_INVALID_PARAMETER, "Invalid InstanceID \"\": shorter than \"Samba:\"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const vhost::ObjectPath request = sharePath(c.id);
        const CallResult result = host->getInstance(request);
        EXPECT_EQ(result.rc, c.rc);
        EXPECT_EQ(result.message, c.message);
        if (c.rc != CMPI_RC_OK) {
            EXPECT_TRUE(result.sequence.empty());
            continue;
        }
        ASSERT_EQ(result.kinds(), "instance,done");
        const vhost::Instance instance = result.instances()[0];
        EXPECT_EQ(instance.path, request);  // built on the request's own path
        EXPECT_EQ(instance.property("InstanceID")->text, "Samba:" + c.elementName);
        EXPECT_EQ(instance.property("ElementName")->text, c.elementName);
        EXPECT_EQ(instance.property("PathName")->text, c.pathName);
    }
    EXPECT_EQ(host->liveObjects(), 0u);
}

TEST_F(ProviderTest, GetInstanceWithoutInstanceIdKey)
{
    testfs::writeSmbConf("[data]\n");
    const CallResult result = host->getInstance(classPath());
    EXPECT_NE(result.rc, CMPI_RC_OK);
    EXPECT_TRUE(result.sequence.empty());
    EXPECT_FALSE(result.threw);
}

}  // namespace
