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

const std::vector<MappingCase> kMappingCases = {
    {"four mapped lines",
     "\tpath = /srv/data\n\tcomment = Team data\n\tread only = Yes\n\tinherit acls = no\n",
     {{"PathName", "\"/srv/data\""}, {"Comment", "\"Team data\""}, {"ReadOnly", "true"},
      {"InheritACLs", "false"}}},
    {"only yes is true", "read only = true\ninherit acls = 1\n",
     {{"ReadOnly", "false"}, {"InheritACLs", "false"}, {"PathName", "\"\""}}},
    {"empty flag value", "read only =\n", {{"ReadOnly", "false"}, {"PathName", "\"\""}}},
    {"no blanks around =", "path=/srv/x\n", {{"PathName", "\"/srv/x\""}}},
    {"empty key", "= /srv/x\n", {{"PathName", "\"\""}}},
    {"other case or spacing is not mapped", "Path = /srv/x\nread  only = yes\nreadonly = yes\n",
     {{"PathName", "\"\""}}},
    {"two path lines: the last wins", "path = /one\npath = /two\n", {{"PathName", "\"/two\""}}},
    {"split at the first =", "comment = a = b\n", {{"Comment", "\"a = b\""}, {"PathName", "\"\""}}},
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
        // Exact existence check, parameters from the first case-blind match.
        {"Samba:data", CMPI_RC_OK, std::nullopt, "data", "/upper"},
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
